-- User-interface texts. Each row keys a text as the program writes it
-- (ReferenceLanguage) to its Simplified Chinese and English wording.
--
-- FormName is the window whose texts the row translates; "Users" rows are
-- shared by every window and by the message catalogue; "MessageBox" rows
-- are the message-box captions and messages. A key appears once per
-- window, and never both under a window (or "MessageBox") and under
-- "Users", so the lookup never depends on row order.
--
-- Where the program's own wording is unclear, the English column carries
-- clear wording; the key stays as the program writes it. printf
-- placeholders (%d, %s) and date-format letters keep their order.

-- Shared by all windows (and by the message catalogue).
INSERT INTO Languages (FormName, ReferenceLanguage, SimplifiedChinese, English) VALUES
  ('Users', 'Home Page', '首页', 'Home'),
  ('Users', 'Open Patient', '打开病人', 'Open Patient'),
  ('Users', 'Patient Info', '病人信息', 'Patient Info'),
  ('Users', 'Down Data', '下载数据', 'Download'),
  ('Users', 'Data Analysis', '数据分析', 'Data Analysis'),
  ('Users', '&Save', '保存(&S)', '&Save'),
  ('Users', '&Cancel', '取消(&C)', '&Cancel'),
  ('Users', 'ON', '开', 'On'),
  ('Users', 'OFF', '关', 'Off'),
  ('Users', 'Today', '今天', 'Today'),
  ('Users', 'MMM YYYY', 'YYYY年MM月', 'MMM YYYY'),
  ('Users', 'Time', '时间', 'Time'),
  ('Users', 'Date', '日期', 'Date'),
  -- units of charts, read-outs and settings
  ('Users', 'cmH2O', 'cmH2O', 'cmH2O'),
  ('Users', 'l/min', 'L/min', 'l/min'),
  ('Users', 'min', '分钟', 'min'),
  ('Users', 'sec', '秒', 's'),
  ('Users', 'hrs', '小时', 'h'),
  ('Users', 'gear', '档', 'level'),
  ('Users', 'ml', '毫升', 'ml'),
  ('Users', 'bpm', '次/分', 'bpm'),
  ('Users', '/h', '次/小时', '/h'),
  -- report heads shared by the printouts
  ('Users', 'Patient Name:', '病人姓名:', 'Patient name:'),
  ('Users', 'Patient ID:', '病人编号:', 'Patient ID:'),
  ('Users', 'Report Time:', '报告时间:', 'Report time:'),
  ('Users', 'StartTime:', '开始时间:', 'Start time:'),
  ('Users', 'TimeLength:', '时长:', 'Duration:'),
  -- statistics captions shared by the statistics table and the report
  ('Users', 'Using date', '使用日期', 'Period'),
  ('Users', 'Number of day', '使用次数', 'Number of sessions'),
  ('Users', 'Total of day', '总使用时间', 'Total usage'),
  ('Users', 'Index analysis', '指数分析', 'Index analysis'),
  ('Users', 'Apnea index', '呼吸暂停指数', 'Apnea index'),
  ('Users', 'Hypopnea index', '低通气指数', 'Hypopnea index'),
  ('Users', 'A&H index', '呼吸暂停低通气指数', 'AHI'),
  ('Users', 'Snore index', '鼾声指数', 'Snore index'),
  ('Users', 'FlowLimit index', '气流受限指数', 'Flow limitation index'),
  ('Users', 'Parameter analysis', '参数分析', 'Parameter analysis'),
  ('Users', 'Maximum', '最大值', 'Maximum'),
  ('Users', '95th Percentile', '95%分位数', '95th percentile'),
  ('Users', '90th Percentile', '90%分位数', '90th percentile'),
  ('Users', 'Median', '平均值', 'Mean'),
  ('Users', 'Working parameters', '工作参数', 'Device settings'),
  ('Users', 'Automatic switching', '自动启停', 'Auto on/off'),
  ('Users', 'Delay Press', '延时升压', 'Ramp time'),
  ('Users', 'Device model', '工作模式', 'Work mode'),
  ('Users', 'Start press', '起始压力', 'Start pressure'),
  ('Users', 'Exp sensitivity', '呼气灵敏度', 'Expiratory sensitivity'),
  ('Users', 'Respiratory frequency', '呼吸频率', 'Breath rate'),
  ('Users', 'Press', '压力', 'Pressure'),
  ('Users', 'Exp press', '呼气压力', 'Expiratory pressure'),
  ('Users', 'Insp press', '吸气压力', 'Inspiratory pressure'),
  ('Users', 'Min press', '最小压力', 'Minimum pressure'),
  ('Users', 'Max press', '最大压力', 'Maximum pressure'),
  ('Users', 'Insp sensitivity', '吸气灵敏度', 'Inspiratory sensitivity'),
  ('Users', 'EPR', '呼气压力释放', 'EPR'),
  -- chart names (tDiagram), series names (tColumnList), event kinds (tEventList)
  ('Users', 'Pressure', '压力', 'Pressure'),
  ('Users', 'Flow', '流量', 'Flow'),
  ('Users', 'Press trend', '压力趋势', 'Pressure trend'),
  ('Users', 'Leak', '漏气量', 'Leak'),
  ('Users', 'Apnea', '呼吸暂停', 'Apnea'),
  ('Users', 'Hypopnea', '低通气', 'Hypopnea'),
  ('Users', 'Snore', '鼾声', 'Snore'),
  ('Users', 'Flow limit', '气流受限', 'Flow limitation'),
  ('Users', 'RERA', '呼吸努力相关觉醒', 'RERA'),
  ('Users', 'Large leak', '大漏气', 'Large leak'),
  ('Users', 'Event index', '事件指数', 'Event index'),
  ('Users', 'Sessions', '使用时段', 'Sessions'),
  ('Users', 'Session', '使用时段', 'Session'),
  ('Users', 'Mean', '平均值', 'Mean'),
  ('Users', 'AHI', '呼吸暂停低通气指数', 'AHI');

-- Message-box captions and messages.
INSERT INTO Languages (FormName, ReferenceLanguage, SimplifiedChinese, English) VALUES
  ('MessageBox', 'Information', '提示', 'Information'),
  ('MessageBox', 'Warning', '警告', 'Warning'),
  ('MessageBox', 'Error', '错误', 'Error'),
  ('MessageBox', 'Questions', '询问', 'Question'),
  ('MessageBox', 'Database connection failed!', '数据库连接失败!', 'Could not connect to the database.'),
  ('MessageBox', 'Error executing SQL!', '执行SQL语句出错!', 'Error executing an SQL statement.'),
  ('MessageBox', 'Resource loading failed!', '资源加载失败!', 'Could not load the program resources.'),
  ('MessageBox', 'View data analysis prior to select the current required to operate a patient!', '查看数据分析前请先选择要操作的病人!', 'Please select a patient before viewing data analysis.'),
  ('MessageBox', 'The current user data!', '当前病人没有治疗数据!', 'The current patient has no therapy data.'),
  ('MessageBox', 'Sure you want to exit the system?', '确定要退出系统吗?', 'Are you sure you want to exit the program?'),
  ('MessageBox', 'Help file does not exist, please contact the supplier!', '帮助文件不存在，请与供应商联系!', 'The help file is missing. Please contact your supplier.'),
  ('MessageBox', 'System settings saved successfully!', '系统设置保存成功!', 'Settings saved.'),
  ('MessageBox', 'The type of language has been modified, the next time you open the program effect!', '语言已修改，下次启动程序时生效!', 'The language has been changed. It takes effect the next time the program starts.'),
  ('MessageBox', 'The main index data in the table is not correct!', '病人索引中该病人的记录不正确!', 'The patient''s entry in the patient index is missing or duplicated.'),
  ('MessageBox', 'Secondary index data in the table is not correct!', '病人数据库中该病人的记录不正确!', 'The patient record in the patient''s own database is missing or duplicated.'),
  ('MessageBox', 'Please input the patient name!', '请输入病人姓名!', 'Please enter the patient''s name.'),
  ('MessageBox', 'Folder already exists, please check the appropriate directory!', '文件夹已存在，请检查保存路径!', 'The folder already exists. Please check the save path.'),
  ('MessageBox', 'The patient data file has been corrupted!', '病人数据文件已损坏或丢失!', 'The patient''s database file is missing or damaged.'),
  ('MessageBox', 'The new patient data successfully!', '新病人资料保存成功!', 'The new patient has been saved.'),
  ('MessageBox', 'A patient of successful modification of data!', '病人资料修改成功!', 'The patient''s data have been saved.'),
  ('MessageBox', 'The patient file does not exist!', '病人数据文件不存在!', 'The patient''s database file does not exist.'),
  ('MessageBox', 'Please select the need to open the patient!', '请选择需要打开的病人!', 'Please select the patient to open.'),
  ('MessageBox', 'File is already in use, please close the data file!', '文件正在使用中，请先关闭该数据文件!', 'The file is in use. Please close it and try again.'),
  ('MessageBox', 'Data file does not match!', '数据文件不匹配!', 'This is not a patient data file (its name is not a patient ID).'),
  ('MessageBox', 'Data file information is not correct!', '数据文件中的病人信息不正确!', 'The data file holds no record of its patient.'),
  ('MessageBox', 'Patient data into success!', '病人数据导入成功!', 'Patient data imported successfully.'),
  ('MessageBox', 'Are you sure you want to delete this patient information?', '确定要删除该病人信息吗?', 'Are you sure you want to delete this patient?'),
  ('MessageBox', 'The current patient information does not exist!', '当前病人信息不存在!', 'This patient is no longer in the patient index.'),
  ('MessageBox', 'Device is not currently idle state!', '设备当前不在空闲状态!', 'The device is busy. Please try again.'),
  ('MessageBox', 'An error occurred while reading data!', '读取数据时发生错误!', 'An error occurred while reading data from the device.'),
  ('MessageBox', 'Please open a patient!', '请先打开一个病人!', 'Please select a patient first.'),
  ('MessageBox', '请选择需要下载的导联！', '请选择需要下载的导联！', 'Please select at least one lead to download.'),
  ('MessageBox', 'Please select your download data!', '请选择需要下载的数据!', 'Please select the sessions to download.'),
  ('MessageBox', 'Data download!', '数据下载完成!', 'Download complete.'),
  ('MessageBox', '111', '读取设备会话索引出错!', 'The session index of the device could not be read.'),
  ('MessageBox', 'Event marker of success!', '事件标记成功!', 'The event has been marked.'),
  ('MessageBox', 'There are no valid data print!', '没有可打印的有效数据!', 'There is no data to print.'),
  ('MessageBox', 'Unknown', '未知', 'Unknown'),
  ('MessageBox', 'H ''hrs'' N ''min''', 'H ''小时'' N ''分钟''', 'H ''h'' N ''min'''),
  ('MessageBox', 'N ''min''', 'N ''分钟''', 'N ''min'''),
  ('MessageBox', ' day', ' 天', ' day'),
  ('MessageBox', 'The patient folder could not be created!', '无法创建病人文件夹!', 'The patient folder could not be created.'),
  ('MessageBox', 'The patient data file could not be created!', '无法创建病人数据文件!', 'The patient''s database file could not be created.'),
  ('MessageBox', 'The patient photo could not be copied!', '无法复制病人照片!', 'The patient''s photo could not be copied.'),
  ('MessageBox', 'No new patient ID is available today!', '今天已无可用的病人编号!', 'No new patient ID is available today (999 patients a day at most).');

-- Main window.
INSERT INTO Languages (FormName, ReferenceLanguage, SimplifiedChinese, English) VALUES
  ('frmMain', 'Qorvel Somnexa Management System', 'Qorvel Somnexa 管理系统', 'Qorvel Somnexa Management System'),
  ('frmMain', 'Selected Patient: No Selected', '当前病人: 未选择', 'Selected patient: none'),
  ('frmMain', 'Selected Patient', '当前病人', 'Selected patient'),
  ('frmMain', 'No Selected', '未选择', 'None'),
  ('frmMain', 'Version All:', '版本:', 'Version:');

-- Home page.
INSERT INTO Languages (FormName, ReferenceLanguage, SimplifiedChinese, English) VALUES
  ('frmHomePage', 'A viewing history', '最近浏览', 'Recently viewed'),
  ('frmHomePage', 'All patient the list display', '显示全部病人列表', 'List all patients'),
  ('frmHomePage', 'Add, modify of patient info', '添加、修改病人信息', 'Add or edit patient information'),
  ('frmHomePage', 'Download data to PC, save as', '从设备下载数据到电脑', 'Download data from the device to the PC'),
  ('frmHomePage', 'Patient data analysis chart', '病人数据分析图表', 'Charts and analysis of patient data'),
  ('frmHomePage', 'System Setting', '系统设置', 'Settings'),
  ('frmHomePage', 'System and device settings', '系统及设备设置', 'System and device settings');

-- Patient Info page.
INSERT INTO Languages (FormName, ReferenceLanguage, SimplifiedChinese, English) VALUES
  ('frmNewPatient', 'New Patient', '新建病人', 'Patient Information'),
  ('frmNewPatient', 'Basic', '基本信息', 'Basic'),
  ('frmNewPatient', 'PatientID', '病人编号', 'Patient ID'),
  ('frmNewPatient', 'Name', '姓名', 'Name'),
  ('frmNewPatient', 'Birthday', '出生日期', 'Date of birth'),
  ('frmNewPatient', 'Age', '年龄', 'Age'),
  ('frmNewPatient', 'Sex', '性别', 'Sex'),
  ('frmNewPatient', 'Male', '男', 'Male'),
  ('frmNewPatient', 'Female', '女', 'Female'),
  ('frmNewPatient', 'Height(cm)', '身高(cm)', 'Height (cm)'),
  ('frmNewPatient', 'Weight(kg)', '体重(kg)', 'Weight (kg)'),
  ('frmNewPatient', 'BMI', '体重指数', 'BMI'),
  ('frmNewPatient', 'Phone', '电话', 'Phone'),
  ('frmNewPatient', 'Address', '地址', 'Address'),
  ('frmNewPatient', 'E-Mail', '电子邮件', 'E-mail'),
  ('frmNewPatient', 'Save path', '保存路径', 'Save path'),
  ('frmNewPatient', 'Chick Add Picture', '点击添加照片', 'Click to add a photo'),
  ('frmNewPatient', 'Additional', '附加信息', 'Additional'),
  ('frmNewPatient', 'Allergic', '过敏史', 'Allergies'),
  ('frmNewPatient', 'Medical', '病史', 'Medical history'),
  ('frmNewPatient', 'Readme', '备注', 'Remarks'),
  ('frmNewPatient', '&New', '新建(&N)', '&New'),
  ('frmNewPatient', '&Modify', '修改(&M)', '&Modify'),
  ('frmNewPatient', 'Lean', '偏瘦', 'Underweight'),
  ('frmNewPatient', 'Normal', '正常', 'Normal'),
  ('frmNewPatient', 'The fat', '偏胖', 'Overweight'),
  ('frmNewPatient', 'Obesity', '肥胖', 'Obese'),
  ('frmNewPatient', 'Select patient data save folder:', '选择病人数据保存文件夹:', 'Select the folder for the patient''s data:');

-- Patient list.
INSERT INTO Languages (FormName, ReferenceLanguage, SimplifiedChinese, English) VALUES
  ('frmOpenPatient', 'Select Patient', '选择病人', 'Select Patient'),
  ('frmOpenPatient', 'PatientID/Name', '病人编号/姓名', 'Patient ID / name'),
  ('frmOpenPatient', '&Search', '查找(&S)', '&Search'),
  ('frmOpenPatient', 'Select &Patient', '打开病人(&P)', 'Open &Patient'),
  ('frmOpenPatient', '&Import Patient', '导入病人(&I)', '&Import Patient'),
  ('frmOpenPatient', '&Delete Patient', '删除病人(&D)', '&Delete Patient'),
  ('frmOpenPatient', '&Back Patient', '返回(&B)', '&Back'),
  ('frmOpenPatient', 'Patient ID', '病人编号', 'Patient ID'),
  ('frmOpenPatient', 'Name', '姓名', 'Name'),
  ('frmOpenPatient', 'Age', '年龄', 'Age'),
  ('frmOpenPatient', 'Sex', '性别', 'Sex'),
  ('frmOpenPatient', 'Patient Path', '数据路径', 'Data folder');

-- Options window and its pages.
INSERT INTO Languages (FormName, ReferenceLanguage, SimplifiedChinese, English) VALUES
  ('frmOption', 'System setting', '系统设置', 'System settings'),
  ('frmOption', 'Diagram setting', '图表设置', 'Chart settings'),
  ('frmOption', 'Device setting', '设备设置', 'Device settings'),
  ('frmOptSystem', 'Language', '语言', 'Language'),
  ('frmOptSystem', 'ChinaSimplified', '简体中文', 'Simplified Chinese'),
  ('frmOptSystem', 'English', 'English', 'English'),
  ('frmOptDiagram', 'Diagram setting', '图表设置', 'Chart settings'),
  ('frmOptDiagram', 'Diagram chart', '曲线图', 'Line chart'),
  ('frmOptDiagram', 'Vertical bar chart', '竖线图', 'Vertical bar chart'),
  ('frmOptDiagram', 'Rectangular chart', '矩形图', 'Rectangle chart'),
  ('frmOptDiagram', 'Column chart', '柱状图', 'Column chart'),
  ('frmOptDiagram', 'Get data from file', '从数据文件读取', 'From the data file'),
  ('frmOptDiagram', 'Get data from database', '从数据库读取', 'From the database'),
  ('frmOptDiagram', 'Realtime data', '实时数据', 'Realtime data'),
  ('frmOptDiagram', 'Log data', '日志数据', 'Log data'),
  ('frmOptDiagram', 'Name', '名称', 'Name'),
  ('frmOptDiagram', 'Display name', '显示名称', 'Legend'),
  ('frmOptDiagram', 'Unit', '单位', 'Unit'),
  ('frmOptDiagram', 'DisplayFormat', '显示格式', 'Number format'),
  ('frmOptDiagram', 'Graphic display', '显示图表', 'Show chart'),
  ('frmOptDiagram', 'Line color', '线条颜色', 'Line color'),
  ('frmOptDiagram', 'Rows', '行数', 'Rows'),
  ('frmOptDiagram', 'Height', '高度', 'Height'),
  ('frmOptDiagram', 'Pixel', '像素', 'pixels'),
  ('frmOptDiagram', 'Cols', '列数', 'Columns'),
  ('frmOptDiagram', 'Diagram model', '图表类型', 'Chart type'),
  ('frmOptDiagram', 'Data rate', '采样率', 'Sample rate'),
  ('frmOptDiagram', 'Hz', '赫兹', 'Hz'),
  ('frmOptDiagram', 'Physical', '物理量', 'Physical range'),
  ('frmOptDiagram', 'AD', 'AD值', 'Raw range'),
  ('frmOptDiagram', 'Load mode', '加载方式', 'Data source'),
  ('frmOptDiagram', 'Identification code', '识别码', 'Channel code'),
  ('frmOptDiagram', 'Data location', '数据位置', 'Channel position'),
  ('frmOptDiagram', 'Basic information', '基本信息', 'Basic information'),
  ('frmOptDiagram', 'Diagram information', '图表信息', 'Chart information'),
  ('frmOptDiagram', 'Diagram data', '图表数据', 'Chart data'),
  ('frmOptDiagram', 'Data loading', '数据加载', 'Data loading'),
  ('frmOptDiagram', 'Ranges of parameters in the latter must be greater than the former!', '参数范围中后一个值必须大于前一个值!', 'In each range the second value must be greater than the first.');

-- Download window and its progress window.
INSERT INTO Languages (FormName, ReferenceLanguage, SimplifiedChinese, English) VALUES
  ('frmDownData', '&Select', '选择(&S)', '&Select'),
  ('frmDownData', 'Selected Patient', '当前病人', 'Selected patient'),
  ('frmDownData', 'Select Device', '选择设备', 'Select device'),
  ('frmDownData', 'Select Data', '选择数据', 'Select sessions'),
  ('frmDownData', 'Start Time', '开始时间', 'Start time'),
  ('frmDownData', 'Time Length', '时长', 'Duration'),
  ('frmDownData', 'Realtime Data', '实时数据', 'Realtime data'),
  ('frmDownData', 'Select All', '全选', 'Select all'),
  ('frmDownData', 'ReSelect', '反选', 'Invert selection'),
  ('frmDownData', 'Less than 10 minutes.', '不显示少于10分钟的数据', 'Hide sessions shorter than 10 minutes'),
  ('frmDownData', 'Forced overlay data', '强制覆盖数据', 'Overwrite existing data'),
  ('frmDownData', '导联选择', '导联选择', 'Lead selection'),
  ('frmDownData', '压力', '压力', 'Pressure'),
  ('frmDownData', '流量', '流量', 'Flow'),
  ('frmDownData', '&Down Data', '下载数据(&D)', '&Download'),
  ('frmDownData', '&Back Patient', '返回(&B)', '&Back'),
  ('frmDownData', 'Yes', '是', 'Yes'),
  ('frmDownData', 'No', '否', 'No'),
  ('frmDownData', 'Download log information:', '正在下载日志数据:', 'Downloading log data:'),
  ('frmDownData', 'Saving the log event:', '正在保存日志事件:', 'Saving log events:'),
  ('frmDownData', 'Download realtime data:', '正在下载实时数据:', 'Downloading realtime data:'),
  ('frmDownData', 'Download log information index:', '正在下载日志索引:', 'Downloading log index:'),
  ('frmDownData', 'Download realtime data index:', '正在下载实时数据索引:', 'Downloading realtime index:'),
  ('frmDownData', 'The expected time:  %d minute %d second', '预计剩余时间:  %d 分 %d 秒', 'Time left:  %d min %d s'),
  ('frmDownData', 'The expected time:  %d second', '预计剩余时间:  %d 秒', 'Time left:  %d s'),
  ('frmDowning', 'Loading', '正在下载', 'Downloading');

-- Data analysis window (with its printed report and toolbar).
INSERT INTO Languages (FormName, ReferenceLanguage, SimplifiedChinese, English) VALUES
  ('frmAnalysis', 'Press control value of color(cmH2O)', '压力颜色对照(cmH2O)', 'Pressure colour scale (cmH2O)'),
  ('frmAnalysis', 'Statistics Table', '统计表', 'Statistics'),
  ('frmAnalysis', 'RealTime Data', '实时数据', 'Realtime Data'),
  ('frmAnalysis', 'Log Data', '日志数据', 'Log Data'),
  ('frmAnalysis', 'Column List', '每日统计', 'Daily Statistics'),
  ('frmAnalysis', 'Calendar', '日历', 'Calendar'),
  ('frmAnalysis', 'Column Chart', '使用柱状图', 'Usage Chart'),
  ('frmAnalysis', 'Print Report', '打印报告', 'Print Report'),
  ('frmAnalysis', 'Patient information', '病人信息', 'Patient information'),
  ('frmAnalysis', 'PatientID', '病人编号', 'Patient ID'),
  ('frmAnalysis', 'PatientName', '病人姓名', 'Name'),
  ('frmAnalysis', 'Sex', '性别', 'Sex'),
  ('frmAnalysis', 'Age', '年龄', 'Age'),
  ('frmAnalysis', 'Birthday', '出生日期', 'Date of birth'),
  ('frmAnalysis', 'BMI', '体重指数', 'BMI'),
  ('frmAnalysis', 'Height', '身高', 'Height'),
  ('frmAnalysis', 'Width', '体重', 'Weight'),
  ('frmAnalysis', 'Phone', '电话', 'Phone'),
  ('frmAnalysis', 'E_Mail', '电子邮件', 'E-mail'),
  ('frmAnalysis', 'Address', '地址', 'Address'),
  ('frmAnalysis', 'Count', '次数', 'Count'),
  ('frmAnalysis', 'Index', '指数', 'Index'),
  ('frmAnalysis', 'Press1', '压力(cmH2O)', 'Pressure (cmH2O)'),
  ('frmAnalysis', 'Leakage1', '漏气量(L/min)', 'Leak (l/min)'),
  ('frmAnalysis', 'Islop', '吸气斜率', 'Rise time'),
  ('frmAnalysis', 'Insp time', '吸气时间', 'Inspiratory time'),
  ('frmAnalysis', 'Monthly statistics', '月度统计', 'Monthly statistics'),
  ('frmAnalysis', 'Tendency(Event) chart', '事件趋势图', 'Event trend chart');

-- Statistics table.
INSERT INTO Languages (FormName, ReferenceLanguage, SimplifiedChinese, English) VALUES
  ('frmTableStatic', 'Static Table', '统计表', 'Statistics'),
  ('frmTableStatic', 'Effective use days', '有效使用天数', 'Days of use'),
  ('frmTableStatic', 'Leakage', '漏气量', 'Leak'),
  ('frmTableStatic', 'ISlop', '吸气斜率', 'Rise time'),
  ('frmTableStatic', 'Insptime', '吸气时间', 'Inspiratory time'),
  ('frmTableStatic', 'Custom', '自定义', 'Custom'),
  ('frmTableStatic', 'One Day', '一天', 'One day'),
  ('frmTableStatic', 'One Week', '一周', 'One week'),
  ('frmTableStatic', 'One Month', '一个月', 'One month'),
  ('frmTableStatic', 'Three Months', '三个月', 'Three months'),
  ('frmTableStatic', 'Six Months', '六个月', 'Six months'),
  ('frmTableStatic', 'One Year', '一年', 'One year'),
  ('frmTableStatic', '查询', '查询', 'Query');

-- Realtime data view: caption, printout, toolbar, read-out values.
INSERT INTO Languages (FormName, ReferenceLanguage, SimplifiedChinese, English) VALUES
  ('frmTableDetail', 'RealTime Data', '实时数据', 'Realtime Data'),
  ('frmTableDetail', 'Real Time Data Diagram', '实时数据图', 'Realtime Data Charts'),
  ('frmTableDetail', '1 Min', '1分钟', '1 min'),
  ('frmTableDetail', '5 Min', '5分钟', '5 min'),
  ('frmTableDetail', '10 Min', '10分钟', '10 min'),
  ('frmTableDetail', '30 Min', '30分钟', '30 min'),
  ('frmTableDetail', '1 Hour', '1小时', '1 hour'),
  ('frmTableDetail', '2 Hours', '2小时', '2 hours'),
  ('frmTableDetail', '4 Hours', '4小时', '4 hours'),
  ('frmTableDetail', '8 Hours', '8小时', '8 hours'),
  ('frmTableDetail', 'Whole Day', '全天', 'Whole day'),
  ('frmTableDetail', 'Previous', '上一页', 'Previous'),
  ('frmTableDetail', 'Next', '下一页', 'Next'),
  ('frmTableDetail', 'Options', '选项', 'Options'),
  ('frmTableDetail', 'Print', '打印', 'Print'),
  ('frmTableDetail', 'InspTime', '吸气时间', 'Insp. time'),
  ('frmTableDetail', 'ExpTime', '呼气时间', 'Exp. time'),
  ('frmTableDetail', 'InspTV', '潮气量', 'Tidal volume'),
  ('frmTableDetail', 'MinVent', '分钟通气量', 'Minute vent.'),
  ('frmTableDetail', 'RespRate', '呼吸频率', 'Breath rate'),
  ('frmTableDetail', 'PeakFlow', '峰值流量', 'Peak flow');

-- Log data view. The read-out keeps only lines whose name contains
-- "insptime", "insptv" or "exptime", so these names stay as they are in
-- every language here.
INSERT INTO Languages (FormName, ReferenceLanguage, SimplifiedChinese, English) VALUES
  ('frmTableEvent', 'Log Data', '日志数据', 'Log Data'),
  ('frmTableEvent', 'Log Data Diagram', '日志数据图', 'Log Data Charts'),
  ('frmTableEvent', '1 Min', '1分钟', '1 min'),
  ('frmTableEvent', '5 Min', '5分钟', '5 min'),
  ('frmTableEvent', '10 Min', '10分钟', '10 min'),
  ('frmTableEvent', '30 Min', '30分钟', '30 min'),
  ('frmTableEvent', '1 Hour', '1小时', '1 hour'),
  ('frmTableEvent', '2 Hours', '2小时', '2 hours'),
  ('frmTableEvent', '4 Hours', '4小时', '4 hours'),
  ('frmTableEvent', '8 Hours', '8小时', '8 hours'),
  ('frmTableEvent', 'Whole Day', '全天', 'Whole day'),
  ('frmTableEvent', 'Previous', '上一页', 'Previous'),
  ('frmTableEvent', 'Next', '下一页', 'Next'),
  ('frmTableEvent', 'Options', '选项', 'Options'),
  ('frmTableEvent', 'Print', '打印', 'Print'),
  ('frmTableEvent', 'InspTime', 'InspTime', 'InspTime'),
  ('frmTableEvent', 'ExpTime', 'ExpTime', 'ExpTime'),
  ('frmTableEvent', 'InspTV', 'InspTV', 'InspTV'),
  ('frmTableEvent', 'MinVent', '分钟通气量', 'Minute vent.'),
  ('frmTableEvent', 'RespRate', '呼吸频率', 'Breath rate'),
  ('frmTableEvent', 'PeakFlow', '峰值流量', 'Peak flow');

-- Event-mark dialog.
INSERT INTO Languages (FormName, ReferenceLanguage, SimplifiedChinese, English) VALUES
  ('frmEventMark', 'Event Mark', '事件标记', 'Mark Event'),
  ('frmEventMark', 'Start Time', '开始时间', 'Start time'),
  ('frmEventMark', 'Time Length', '时长', 'Duration'),
  ('frmEventMark', 'Start Time:', '开始时间:', 'Start time:'),
  ('frmEventMark', 'Time Length:', '时长:', 'Duration:'),
  ('frmEventMark', '&Enter', '确定(&E)', '&OK');

-- Statistics calendar.
INSERT INTO Languages (FormName, ReferenceLanguage, SimplifiedChinese, English) VALUES
  ('frmTableCalc', 'Statistics', '统计日历', 'Calendar'),
  ('frmTableCalc', 'View &Details', '查看详情(&D)', 'View &Details'),
  ('frmTableCalc', '&Print Report', '打印报告(&P)', '&Print Report'),
  ('frmTableCalc', 'Sunday', '星期日', 'Sunday'),
  ('frmTableCalc', 'Monday', '星期一', 'Monday'),
  ('frmTableCalc', 'Tuesday', '星期二', 'Tuesday'),
  ('frmTableCalc', 'Wednesday', '星期三', 'Wednesday'),
  ('frmTableCalc', 'Thursday', '星期四', 'Thursday'),
  ('frmTableCalc', 'Friday', '星期五', 'Friday'),
  ('frmTableCalc', 'Saturday', '星期六', 'Saturday'),
  ('frmTableCalc', 'Weeks', '周', 'wk');

-- Monthly usage column chart.
INSERT INTO Languages (FormName, ReferenceLanguage, SimplifiedChinese, English) VALUES
  ('frmTableColumn', 'Column Chart', '使用柱状图', 'Usage Chart'),
  ('frmTableColumn', '(Hour)', '(小时)', '(hours)'),
  ('frmTableColumn', '(Day)', '(日)', '(day)');

-- Column list (daily channel statistics) with its printout and toolbar.
INSERT INTO Languages (FormName, ReferenceLanguage, SimplifiedChinese, English) VALUES
  ('frmTableColumnList', 'ColumnList', '每日统计', 'Daily Statistics'),
  ('frmTableColumnList', 'Monthly statistical chart', '月度统计图', 'Monthly statistics chart'),
  ('frmTableColumnList', 'Previous Month', '上个月', 'Previous month'),
  ('frmTableColumnList', 'Next Month', '下个月', 'Next month'),
  ('frmTableColumnList', 'Print', '打印', 'Print');

-- Main window buttons, options navigator, the system page's notes and the
-- page shown while a window is still to come.
INSERT INTO Languages (FormName, ReferenceLanguage, SimplifiedChinese, English) VALUES
  ('frmMain', 'Help', '帮助', 'Help'),
  ('frmMain', 'Minimize', '最小化', 'Minimize'),
  ('frmMain', 'Maximize', '最大化', 'Maximize'),
  ('frmMain', 'Close', '关闭', 'Close'),
  ('frmOption', 'Settings', '设置', 'SETTINGS'),
  ('frmOptSystem', 'Interface', '界面', 'Interface'),
  ('frmOptSystem', 'A changed language applies from the next start.', '修改语言后，下次启动程序时生效。', 'A changed language applies from the next start.'),
  ('frmPendingPage', 'This page is being prepared for the next version.', '此页面将在下一版本中提供。', 'This page is being prepared for the next version.');

-- Chart settings page: the line colour picker, and its range message as a message box.
INSERT INTO Languages (FormName, ReferenceLanguage, SimplifiedChinese, English) VALUES
  ('frmOptDiagram', 'Custom...', '自定义...', 'Custom...'),
  ('frmOptDiagram', 'Black', '黑色', 'Black'),
  ('frmOptDiagram', 'Maroon', '栗色', 'Maroon'),
  ('frmOptDiagram', 'Green', '绿色', 'Green'),
  ('frmOptDiagram', 'Olive', '橄榄色', 'Olive'),
  ('frmOptDiagram', 'Navy', '藏青色', 'Navy'),
  ('frmOptDiagram', 'Purple', '紫色', 'Purple'),
  ('frmOptDiagram', 'Teal', '蓝绿色', 'Teal'),
  ('frmOptDiagram', 'Gray', '灰色', 'Gray'),
  ('frmOptDiagram', 'Silver', '银色', 'Silver'),
  ('frmOptDiagram', 'Red', '红色', 'Red'),
  ('frmOptDiagram', 'Lime', '亮绿色', 'Lime'),
  ('frmOptDiagram', 'Yellow', '黄色', 'Yellow'),
  ('frmOptDiagram', 'Blue', '蓝色', 'Blue'),
  ('frmOptDiagram', 'Fuchsia', '品红色', 'Fuchsia'),
  ('frmOptDiagram', 'Aqua', '水绿色', 'Aqua'),
  ('frmOptDiagram', 'Deep blue', '深蓝色', 'Deep blue'),
  ('frmOptDiagram', 'Leaf green', '叶绿色', 'Leaf green'),
  ('frmOptDiagram', 'Orange', '橙色', 'Orange'),
  ('frmOptDiagram', 'Violet', '紫罗兰色', 'Violet'),
  ('frmOptDiagram', 'Signal red', '信号红', 'Signal red'),
  ('MessageBox', 'Ranges of parameters in the latter must be greater than the former!', '参数范围中后一个值必须大于前一个值!', 'In each range the second value must be greater than the first.');

-- Language code 2 is not offered; its column shows the program's own texts.
UPDATE Languages SET Language2 = ReferenceLanguage WHERE Language2 IS NULL;
