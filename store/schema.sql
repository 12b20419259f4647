-- The database of the program: the pump catalogue, the information texts and
-- pictures, and the two result tables. Table, view and field names are the
-- program's own and are used exactly. Rows are kept in insertion order
-- (rowid order), which is the catalogue order.

CREATE TABLE "水泵性能表" (
    "序号"         INTEGER NOT NULL,  -- key of the pump; joins it to its points
    "水泵类型"     TEXT,              -- pump type; selects the installation schematic
    "水泵型号"     TEXT,              -- model designation
    "转速"         REAL,              -- r/min
    "流量"         REAL,              -- rated flow, m3/h (data sheet)
    "扬程"         REAL,              -- rated head, m (data sheet)
    "轴功率"       REAL,              -- shaft power at the rated point, kW
    "电动机功率"   REAL,              -- motor power, kW
    "必需汽蚀余量" REAL,              -- NPSH required, m
    "叶轮外径"     REAL,              -- impeller outer diameter, mm
    "重量"         REAL,              -- kg
    "设备安装尺寸" TEXT               -- installation dimensions, multi-line text
);

-- The measured points; the points of one pump are one contiguous run.
CREATE TABLE "流扬功" (
    "序号"   INTEGER NOT NULL,
    "流量"   REAL,  -- m3/h
    "扬程"   REAL,  -- m
    "轴功率" REAL   -- kW
);

-- The data sheet: one row per pump, in catalogue order.
CREATE VIEW "水泵查询" AS
    SELECT "水泵类型", "水泵型号", "转速", "流量", "扬程", "轴功率", "电动机功率",
           "必需汽蚀余量", "叶轮外径", "重量", "设备安装尺寸", "序号"
    FROM "水泵性能表" ORDER BY rowid;

-- One installation schematic per pump type (PNG bytes); the first row of a
-- type is the one shown.
CREATE TABLE "设备安装示意图" (
    "水泵类型"       TEXT,
    "设备安装示意图" BLOB
);

-- The texts and pictures of the company and product pages (first row).
CREATE TABLE "公司资料" (
    "公司简介" TEXT,
    "公司图片" BLOB,
    "产品简介" TEXT,
    "产品图片" BLOB
);

-- All results ever stored, and the results of the latest calculation. The
-- last column is the program's own, beside the ten result fields: the exact
-- moment of the run whose calculation time the first field shows.
CREATE TABLE "水泵选型结果" (
    "计算时间"     TEXT,
    "选型方式"     TEXT,
    "总扬程"       REAL,
    "流量"         REAL,
    "系统静扬程"   REAL,
    "所选型号"     TEXT,
    "水泵最高效率" REAL,
    "实际扬程"     REAL,
    "实际流量"     REAL,
    "实际效率"     REAL,
    "计算时刻"     TEXT   -- the run's moment in UTC, ISO 8601 with milliseconds
);

CREATE TABLE "水泵选型结果1" (
    "计算时间"     TEXT,
    "选型方式"     TEXT,
    "总扬程"       REAL,
    "流量"         REAL,
    "系统静扬程"   REAL,
    "所选型号"     TEXT,
    "水泵最高效率" REAL,
    "实际扬程"     REAL,
    "实际流量"     REAL,
    "实际效率"     REAL,
    "计算时刻"     TEXT   -- the run's moment in UTC, ISO 8601 with milliseconds
);

CREATE INDEX "流扬功_序号" ON "流扬功" ("序号");
