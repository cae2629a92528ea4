#include "charts/diagram_loader.h"

#include <string>

#include "charts/qv_diagrams.h"
#include "records/fixed_text.h"

namespace somnexa::charts {
namespace {

std::int32_t integer(const storage::Query& q, const char* name) {
    return static_cast<std::int32_t>(q.FieldByName(name).AsInteger());
}

std::uint8_t byte(const storage::Query& q, const char* name) { return static_cast<std::uint8_t>(integer(q, name)); }

std::uint8_t flag(const storage::Query& q, const char* name) { return q.FieldByName(name).AsBoolean() ? 1 : 0; }

std::string text(const storage::Query& q, const char* name) { return q.FieldByName(name).AsString(); }

TChannleInfo channelOf(const storage::Query& q) {
    TChannleInfo c;
    setFixedText(c.Name, text(q, "Name"));
    setFixedText(c.ChannleName, text(q, "ChannleName"));
    c.Visible = flag(q, "Visible");
    c.Code = byte(q, "Code");
    c.CodePos = byte(q, "CodePos");
    c.Rows = byte(q, "Rows");
    c.Cols = byte(q, "Cols");
    c.Height = integer(q, "Height");
    c.DiagramModel = byte(q, "DiagramModel");
    c.DataMode = byte(q, "DataMode");
    c.LineStyle = byte(q, "LineStyle");
    c.LineColor = integer(q, "LineColor");
    c.Rate = byte(q, "Rate");
    c.ChannleCount = byte(q, "ChannleCount");
    setFixedText(c.Units, text(q, "Units"));
    c.ShowX = flag(q, "ShowX");
    c.ShowY = flag(q, "ShowY");
    c.NullX = integer(q, "NullX");
    c.NullY = integer(q, "NullY");
    c.TextX = integer(q, "TextX");
    c.TextY = integer(q, "TextY");
    c.ShowCaption = flag(q, "ShowCaption");
    c.ScaleX1 = integer(q, "ScaleX1");
    c.ScaleX2 = integer(q, "ScaleX2");
    c.PrecisionX = q.FieldByName("PrecisionX").AsFloat();
    c.ShowLineX = flag(q, "ShowLineX");
    setFixedText(c.TextFormatX, text(q, "TextFormatX"));
    c.TextStyleX = byte(q, "TextStyleX");
    c.ScaleY1 = integer(q, "ScaleY1");
    c.ScaleY2 = integer(q, "ScaleY2");
    c.PrecisionY = integer(q, "PrecisionY");
    c.MaxY = integer(q, "MaxY");
    c.MinY = integer(q, "MinY");
    c.ShowLineY = flag(q, "ShowLineY");
    setFixedText(c.TextFormatY, text(q, "TextFormatY"));
    c.TextStyleY = byte(q, "TextStyleY");
    c.DigitalMin = integer(q, "DigitalMin");
    c.DigitalMax = integer(q, "DigitalMax");
    c.BorderColor = integer(q, "BorderColor");
    return c;
}

}  // namespace

int LoadDiagramDefinition(storage::TDM& dm, int type, int code, int codePos, TQvDiagrams& chart) {
    if (!dm.ConnectDatabase(storage::kMasterConnection)) return -1;
    storage::Query q;
    const std::string sql = "select * from tDiagram where [Type]=" + std::to_string(type) +
                            " and Code=" + std::to_string(code) + " and CodePos=" + std::to_string(codePos);
    const int rows = dm.ExecSQL(q, sql, storage::kMasterConnection, true);
    if (rows < 0) return -1;
    if (rows == 0) return -2;
    chart.Rows = integer(q, "Rows");
    chart.Cols = integer(q, "Cols");
    chart.MaxY = integer(q, "MaxY");
    chart.MinY = integer(q, "MinY");
    chart.DigitalMax = integer(q, "DigitalMax");
    chart.DigitalMin = integer(q, "DigitalMin");
    chart.Name = text(q, "Name");
    chart.ChannleName = text(q, "ChannleName");
    chart.DiagramModel = byte(q, "DiagramModel");
    chart.LineColor = static_cast<TColor>(q.FieldByName("LineColor").AsInteger());
    chart.TextFormatY = text(q, "TextFormatY");
    chart.Units = text(q, "Units");
    return 0;
}

int LoadChannelInfos(storage::TDM& dm, int type, bool system, arTChannleInfo& infos) {
    infos.clear();
    if (!dm.ConnectDatabase(storage::kMasterConnection)) return -1;
    storage::Query q;
    const std::string sql = "select * from tDiagram where [Type]=" + std::to_string(type) + " and " +
                            (system ? "IsSYS = -1" : "IsSYS = 0") + " order by SortIndex";
    const int rows = dm.ExecSQL(q, sql, storage::kMasterConnection, true);
    if (rows < 0) return -1;
    if (rows == 0) return -2;
    infos.reserve(static_cast<std::size_t>(rows));
    for (q.First(); !q.Eof(); q.Next()) infos.push_back(channelOf(q));
    return static_cast<int>(infos.size());
}

}  // namespace somnexa::charts
