-- The variable-speed selection's tables in a database file, made by the first
-- run that needs them. Each statement is run as one line, so the definition
-- SQLite keeps is the same however this file is laid out; names hold no
-- blanks.

-- One row per pump set of a run, by rank. The key numbers the rows as they
-- are stored and joins the points to them.
CREATE TABLE IF NOT EXISTS "变速选型结果" (
    "序号"       INTEGER PRIMARY KEY AUTOINCREMENT,
    "运行序号"   INTEGER NOT NULL,
    "排名"       INTEGER NOT NULL,
    "计算时间"   TEXT,
    "控制方式"   TEXT,
    "总扬程"     REAL,
    "流量"       REAL,
    "系统静扬程" REAL,
    "工作泵台数" REAL,
    "备用泵台数" REAL,
    "所选型号"   TEXT,
    "电机功率"   REAL,
    "设计转速比" REAL,
    "年耗电量"   REAL,
    "年电费"     REAL,
    "加权效率"   REAL,
    "计算时刻"   TEXT   -- the run's moment in UTC, ISO 8601 with milliseconds
);

-- The load points of each stored pump set.
CREATE TABLE IF NOT EXISTS "变速选型负荷点" (
    "结果序号"   INTEGER NOT NULL REFERENCES "变速选型结果"("序号"),
    "负荷序号"   REAL,
    "流量比例"   REAL,
    "时间比例"   REAL,
    "流量"       REAL,
    "扬程"       REAL,
    "运行台数"   REAL,
    "转速比"     REAL,
    "等效流量比" REAL,
    "水泵效率"   REAL,
    "轴功率"     REAL,
    "电机效率"   REAL,
    "变频器效率" REAL,
    "输入功率"   REAL,
    "综合效率"   REAL
);

-- The liquid and suction of a run given them.
CREATE TABLE IF NOT EXISTS "变速选型工况" (
    "运行序号"       INTEGER NOT NULL,
    "介质"           TEXT,
    "浓度"           REAL,
    "温度"           REAL,
    "密度"           REAL,
    "运动粘度"       REAL,
    "汽化压力"       REAL,
    "吸入口绝对压力" REAL,
    "汽蚀余量系数"   REAL
);

-- Each stored point's viscosity correction and suction figures.
CREATE TABLE IF NOT EXISTS "变速选型附加结果" (
    "结果序号"     INTEGER NOT NULL REFERENCES "变速选型结果"("序号"),
    "负荷序号"     INTEGER,
    "粘度参数B"    REAL,
    "流量修正系数" REAL,
    "扬程修正系数" REAL,
    "效率修正系数" REAL,
    "有效汽蚀余量" REAL,
    "必需汽蚀余量" REAL,
    "汽蚀余量满足" REAL
);
