<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CommandTable</name>
    <message>
        <source>值</source>
        <translation>VALUE</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>UNIT</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>数据库</source>
        <translation>DATABASE</translation>
    </message>
    <message>
        <source>型号</source>
        <translation>MODEL</translation>
    </message>
    <message>
        <source>文字</source>
        <translation>TEXT</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>编号</source>
        <translation>NUMBER</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>DATE</translation>
    </message>
    <message>
        <source>代码页</source>
        <translation>CODEPAGE</translation>
    </message>
    <message>
        <source>流量:扬程,…</source>
        <translation>FLOW:HEAD,...</translation>
    </message>
    <message>
        <source>流量%:时间%,…</source>
        <translation>FLOW%:TIME%,...</translation>
    </message>
    <message>
        <source>源文件.mdb</source>
        <translation>SOURCE.mdb</translation>
    </message>
    <message>
        <source>水泵.csv</source>
        <translation>PUMPS.csv</translation>
    </message>
    <message>
        <source>性能点.csv</source>
        <translation>POINTS.csv</translation>
    </message>
    <message>
        <source>源数据库</source>
        <translation>SOURCE</translation>
    </message>
    <message>
        <source>目标数据库</source>
        <translation>TARGET</translation>
    </message>
    <message>
        <source>postgresql://…</source>
        <translation>postgresql://...</translation>
    </message>
    <message>
        <source>命令</source>
        <translation>COMMAND</translation>
    </message>
    <message>
        <source>用法：</source>
        <translation>Usage:</translation>
    </message>
    <message>
        <source>选项：</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>“tarnwick-cli help 命令”或“tarnwick-cli 命令 --help”显示一个命令的用法和选项。</source>
        <translation>&quot;tarnwick-cli help COMMAND&quot; or &quot;tarnwick-cli COMMAND --help&quot; shows one command&apos;s usage and options.</translation>
    </message>
    <message>
        <source>工况</source>
        <translation>Duty</translation>
    </message>
    <message>
        <source>单位选项（取值与程序中单位列表的文字相同）</source>
        <translation>Units, UNITS (the texts of the program&apos;s unit lists)</translation>
    </message>
    <message>
        <source>介质与吸入选项（均可不写，不写时与原计算完全相同）</source>
        <translation>Liquid, suction and impeller, LIQUID (all optional; without them the results are exactly those of the plain calculation)</translation>
    </message>
    <message>
        <source>变速选项（变速节能选型）</source>
        <translation>Variable-speed selection, VARIABLE-SPEED</translation>
    </message>
    <message>
        <source>资料单选项</source>
        <translation>Data sheet, SHEET</translation>
    </message>
    <message>
        <source>其他选项</source>
        <translation>Other options</translation>
    </message>
    <message>
        <source>设计流量，--flow-unit 单位。</source>
        <translation>Design flow, in --flow-unit.</translation>
    </message>
    <message>
        <source>管路阻力，--resistance-unit 单位。</source>
        <translation>Resistance of the pipe system at the design flow, in --resistance-unit.</translation>
    </message>
    <message>
        <source>静扬程，--static-head-unit 单位。</source>
        <translation>Static head, in --static-head-unit.</translation>
    </message>
    <message>
        <source>流量单位（默认 m3/h）。</source>
        <translation>Unit of the flow (default m3/h).</translation>
    </message>
    <message>
        <source>管路阻力的单位（默认 mH2O）。</source>
        <translation>Unit of the resistance (default mH2O).</translation>
    </message>
    <message>
        <source>静扬程的单位（默认 mH2O）。</source>
        <translation>Unit of the static head (default mH2O).</translation>
    </message>
    <message>
        <source>输送介质，需同时给出 --temperature；乙二醇、丙二醇还需 --concentration。不写：目录中的清水（1000 kg/m3），不作修正。密度计入轴功率；粘度按 ANSI/HI 9.6.7 修正流量、扬程和效率（B≥40 的水泵不选）。</source>
        <translation>The pumped liquid; needs --temperature, and the glycols --concentration too. Without it: the catalogue&apos;s clear water (1000 kg/m3), uncorrected. The density enters the shaft power; the viscosity corrects flow, head and efficiency after ANSI/HI 9.6.7 (pumps with B of 40 or more are not listed).</translation>
    </message>
    <message>
        <source>介质温度，℃。</source>
        <translation>Temperature of the liquid, degrees Celsius.</translation>
    </message>
    <message>
        <source>乙二醇或丙二醇的质量%（10～60）。</source>
        <translation>Glycol content in mass percent (10 to 60).</translation>
    </message>
    <message>
        <source>水泵入口的表压，--suction-pressure-unit 单位；据此校核有效汽蚀余量，要求不小于必需汽蚀余量的 --npsh-margin 倍且至少高出 0.6 m（ANSI/HI 9.6.1）。</source>
        <translation>Gauge pressure at the pump&apos;s inlet, in --suction-pressure-unit; the NPSH available must be at least --npsh-margin times the pump&apos;s NPSH required and at least 0.6 m above it (ANSI/HI 9.6.1).</translation>
    </message>
    <message>
        <source>入口表压的单位（压力单位，默认 mH2O）。</source>
        <translation>Unit of the inlet pressure (a pressure unit, default mH2O).</translation>
    </message>
    <message>
        <source>大气压，kPa（默认 101.325）。</source>
        <translation>Atmospheric pressure, kPa (default 101.325).</translation>
    </message>
    <message>
        <source>汽蚀余量的安全系数（默认 1.1）。</source>
        <translation>NPSH margin ratio (default 1.1).</translation>
    </message>
    <message>
        <source>把叶轮切削到设计工况。</source>
        <translation>Trim the impeller to the duty.</translation>
    </message>
    <message>
        <source>最大切削量，叶轮外径的%（默认 15）。</source>
        <translation>Largest trim, percent of the impeller diameter (default 15).</translation>
    </message>
    <message>
        <source>只列出工作点在优先运行区内（最高效率点流量的 70～120 %）的水泵（ANSI/HI 9.6.3）。</source>
        <translation>List only pumps that run at 70 to 120 % of their best-efficiency flow (ANSI/HI 9.6.3).</translation>
    </message>
    <message>
        <source>用三个以上实测点（流量、阻力单位）拟合管路特性 H = Hst + K·Q²，代替 --resistance；给出 --static-head 时只拟合 K。</source>
        <translation>Three or more points measured on the plant (in the flow and resistance units) to which the system curve H = Hst + K*Q^2 is fitted instead of --resistance; with --static-head only K is fitted.</translation>
    </message>
    <message>
        <source>控制方式（默认 constant 定压差）。</source>
        <translation>Control curve: constant differential pressure (default), proportional, critical circuit or system curve.</translation>
    </message>
    <message>
        <source>负荷分布（默认 100:1,75:42,50:45,25:12）。</source>
        <translation>Part-load profile (default 100:1,75:42,50:45,25:12).</translation>
    </message>
    <message>
        <source>工作泵台数（1～4，默认 2）。</source>
        <translation>Duty pumps in parallel (1 to 4, default 2).</translation>
    </message>
    <message>
        <source>备用泵台数（0～2，默认 1）。</source>
        <translation>Standby pumps (0 to 2, default 1).</translation>
    </message>
    <message>
        <source>年运行小时（默认 4000）。</source>
        <translation>Operating hours a year (default 4000).</translation>
    </message>
    <message>
        <source>电价，元/kWh（默认 1.0）。</source>
        <translation>Price of electricity per kWh (default 1.0).</translation>
    </message>
    <message>
        <source>所输送流体的密度，kg/m3（默认 1000）；以压力单位输入的阻力、静扬程和设定值按它换算为液柱，mH2O、mmH2O 即所输送流体的液柱高度，与样本扬程相同。</source>
        <translation>Density of the pumped fluid, kg/m3 (default 1000); resistance, static head and setpoint given as a pressure are converted to head with it; mH2O and mmH2O are metres of the pumped fluid, as the catalogue&apos;s heads are.</translation>
    </message>
    <message>
        <source>最低转速比，%（默认 30）；低于它的负荷点按最低转速运行，多余扬程由阀门节流（警告 minimum_speed）；qe/Qbep 不在 0.70～1.20 的点带警告 outside_preferred_region（ANSI/HI 9.6.3）。</source>
        <translation>Lowest speed, percent (default 30); a load point that needs less runs at it, the valves throttling the excess head (warning minimum_speed); points with qe/Qbep outside 0.70 to 1.20 carry the warning outside_preferred_region (ANSI/HI 9.6.3).</translation>
    </message>
    <message>
        <source>变频器最高转速比，%（默认 100）。</source>
        <translation>Highest speed of the converter, percent (default 100).</translation>
    </message>
    <message>
        <source>电机功率储备系数（默认 1.15）：电机不小于它乘单台水泵在最高转速曲线上的最大轴功率。</source>
        <translation>Motor margin (default 1.15): the motor covers this times one pump&apos;s largest shaft power on its top-speed curve.</translation>
    </message>
    <message>
        <source>比例压差起点，%（默认 50）。</source>
        <translation>Start of the proportional control curve, percent (default 50).</translation>
    </message>
    <message>
        <source>末端压差设定值，管路阻力的单位（默认为管路阻力的 30 %）。</source>
        <translation>Differential pressure set at the critical circuit, in the resistance unit (default 30 % of the resistance).</translation>
    </message>
    <message>
        <source>水泵型号。</source>
        <translation>The pump&apos;s model.</translation>
    </message>
    <message>
        <source>全部（全部计算结果，或全部入选的水泵）。</source>
        <translation>All of them (every stored result, or every pump listed).</translation>
    </message>
    <message>
        <source>变速节能选型的资料单、结果或报表。</source>
        <translation>The variable-speed selection&apos;s sheets, results or report.</translation>
    </message>
    <message>
        <source>写入的 PDF 文件；- 为标准输出。</source>
        <translation>The PDF file to write; - is standard output.</translation>
    </message>
    <message>
        <source>写入的 CSV 文件；- 为标准输出。</source>
        <translation>The CSV file to write; - is standard output.</translation>
    </message>
    <message>
        <source>写入的 XLSX 文件；- 为标准输出。</source>
        <translation>The XLSX file to write; - is standard output.</translation>
    </message>
    <message>
        <source>资料单表头：工程名称。</source>
        <translation>Sheet header: the project.</translation>
    </message>
    <message>
        <source>资料单表头：工程编号。</source>
        <translation>Sheet header: the project number.</translation>
    </message>
    <message>
        <source>资料单表头：设计人。</source>
        <translation>Sheet header: the designer.</translation>
    </message>
    <message>
        <source>资料单表头：设备位号。</source>
        <translation>Sheet header: the equipment tag.</translation>
    </message>
    <message>
        <source>资料单表头：日期（默认今天）。</source>
        <translation>Sheet header: the date (default today).</translation>
    </message>
    <message>
        <source>只列该类型的水泵。</source>
        <translation>Only pumps of this type.</translation>
    </message>
    <message>
        <source>只列该转速（r/min）的水泵。</source>
        <translation>Only pumps of this speed (r/min).</translation>
    </message>
    <message>
        <source>只列型号中含该文字的水泵（不分大小写）。</source>
        <translation>Only models that contain this text (any case).</translation>
    </message>
    <message>
        <source>Access 97 文件的代码页，如 936（GBK）。</source>
        <translation>Code page of an Access 97 file, such as 936 (GBK).</translation>
    </message>
    <message>
        <source>替换已有的目录或表。</source>
        <translation>Replace the catalogue or tables already there.</translation>
    </message>
    <message>
        <source>提供水泵目录的数据库文件（默认为随程序安装的数据库）。</source>
        <translation>The database file whose catalogue is taken (default: the one installed with the program).</translation>
    </message>
    <message>
        <source>同时装入水泵目录、示意图和公司资料，结果表为空。</source>
        <translation>Load the catalogue, pictures and company texts too; the result tables start empty.</translation>
    </message>
    <message>
        <source>建立角色 tarnwick_engineer（工程师）和 tarnwick_maintainer（目录维护人员），授予权限并由服务器的行级安全策略保证：每人只能以自己的名义写入结果、只能删除自己的本次计算结果。</source>
        <translation>Make the group roles tarnwick_engineer (engineers) and tarnwick_maintainer (who keeps the catalogue), grant them their rights and let the server&apos;s row-level security enforce them: everyone stores results only in his own name and deletes only his own latest results.</translation>
    </message>
    <message>
        <source>数据库文件，默认为程序目录中的“水泵数据库97.mdb”；程序目录中没有时使用用户数据目录中的数据库（首次使用时从随程序安装的数据库复制）。环境变量 TARNWICK_DB 和窗口中选定的数据库也可指定。也可以是 PostgreSQL 数据库地址，如 postgresql://用户@主机:5432/库名 或 postgresql://用户@/库名?host=/套接字目录；密码取自 ~/.pgpass 或 PGPASSWORD。</source>
        <translation>The database file; by default the one in the program&apos;s folder or, when there is none there, the user&apos;s copy of the installed one (made on first use). TARNWICK_DB and the database chosen in the windows name one too, in that order after this option. A PostgreSQL database&apos;s address works as well, such as postgresql://user@host:5432/name or postgresql://user@/name?host=/socket/folder; the password comes from ~/.pgpass or PGPASSWORD.</translation>
    </message>
    <message>
        <source>以 JSON 输出：每次运行只输出一个 JSON 对象，其 status 为 ok（退出状态 0）、rejected 或 none-found（退出状态 1）、error（退出状态 2），message 为程序的提示。</source>
        <translation>Print one JSON object per run whose status is ok (exit status 0), rejected or none-found (1) or error (2), and whose message is the program&apos;s message.</translation>
    </message>
    <message>
        <source>另列出未入选的水泵及其未满足的第一条规则。</source>
        <translation>Also list every pump left out and the first rule it failed.</translation>
    </message>
    <message>
        <source>显示该命令的用法。</source>
        <translation>Show the command&apos;s usage.</translation>
    </message>
    <message>
        <source>设计计算：在全部水泵中选型，结果存入两张结果表。</source>
        <translation>Design: search the whole catalogue for pumps that meet the duty near their best efficiency and store them in both result tables.</translation>
    </message>
    <message>
        <source>校核计算：校核所选型号的水泵。</source>
        <translation>Check: check the chosen model against the duty and say why it does not suit.</translation>
    </message>
    <message>
        <source>变速节能选型：按全年负荷分布和能耗为变频并联水泵排序，结果存入“变速选型结果”和“变速选型负荷点”；--model 只评价一个型号。电机为样本配用电动机功率与按储备系数所需的最小 IEC 标准功率两者取大（JSON 中 motorSource 为 catalogue 或 sized）。加权综合效率（weightedEfficiency）＝全年水力能量÷全年耗电量；aboveBest 为年耗电量高出排名第一者的比例。</source>
        <translation>Variable-speed selection: rank parallel pump sets on frequency converters by the electricity they use over a year of part load and store them in the variable-speed result and load-point tables; --model evaluates one model. The motor is the larger of the catalogue&apos;s motor and the smallest IEC standard rating that covers the margin (motorSource catalogue or sized in the JSON). The weighted efficiency is the year&apos;s hydraulic energy over its electrical energy; aboveBest is the share by which a set&apos;s annual energy exceeds the best set&apos;s.</translation>
    </message>
    <message>
        <source>显示本次计算结果（--all：全部计算结果）；--variable-speed：变速节能选型的结果。</source>
        <translation>Show the latest results (--all: every stored result); --variable-speed: the variable-speed runs.</translation>
    </message>
    <message>
        <source>选型资料单（PDF，每台水泵一页）：--model 为校核的水泵，--all 为设计选出的全部水泵；不写结果表。</source>
        <translation>Data sheets (PDF, one page a pump): of the checked model with --model, of every pump the design lists with --all. Nothing is stored.</translation>
    </message>
    <message>
        <source>变速节能选型的资料单（选项同 select）：--model 为单独评价的型号，--all 为入选的全部水泵（按年耗电量排序），每页含负荷点表和年耗电量；不写结果表。</source>
        <translation>Data sheets of the variable-speed selection (the options of select): of one model evaluated alone with --model, of every accepted set in ranking order with --all, each with its load table and the year&apos;s energy and cost. Nothing is stored.</translation>
    </message>
    <message>
        <source>列出不符合目录规则的数据，以及扬程拟合偏差超过最大扬程 2 % 或无法拟合的水泵（有则退出状态为 1）。</source>
        <translation>List what the catalogue rules refuse in the stored catalogue and the pumps whose head fit strays more than 2 % of their largest head from a catalogue point or cannot be fitted (exit status 1 when it lists anything).</translation>
    </message>
    <message>
        <source>按目录顺序列出水泵型号、类型、转速、性能点数和最大流量、扬程，供 check --model 使用；没有则退出状态为 1。</source>
        <translation>List the catalogue&apos;s pumps in stored order with type, speed, number of points and largest flow and head, for check --model (exit status 1 when none matches).</translation>
    </message>
    <message>
        <source>把 Access 97/2000 数据库转换为本程序的新数据库（不覆盖已有文件）。</source>
        <translation>Convert an Access 97/2000 database into a new database of this program (never over an existing file).</translation>
    </message>
    <message>
        <source>从 CSV 文件导入水泵目录（UTF-8 或 GBK）；--replace：替换整个目录。</source>
        <translation>Import the pump catalogue from CSV files (UTF-8 or GBK); --replace replaces the whole catalogue.</translation>
    </message>
    <message>
        <source>把水泵目录导出为同样格式的 CSV 文件。</source>
        <translation>Export the pump catalogue as CSV files of the same format.</translation>
    </message>
    <message>
        <source>用新数据库（默认为随程序安装的数据库）中的水泵目录替换当前目录，两张结果表保持不变。</source>
        <translation>Replace the catalogue with that of a newer database (default: the installed one), keeping both result tables; run it after an upgrade of the package.</translation>
    </message>
    <message>
        <source>把整个数据库（水泵目录、示意图、公司资料和全部结果表）复制到另一个数据库：数据库文件与 PostgreSQL 数据库之间可以互相复制；在目标上一次写完，复制后逐表核对行数和内容；目标中已有同名的表时不复制，除非加 --replace。每条结果保留保存它的工程师（“用户”）。</source>
        <translation>Copy a whole database (catalogue, pictures, company texts and every result table) into another, file or PostgreSQL either way, in one transaction, and check every table&apos;s rows afterwards; tables already in the target are left alone unless --replace is given. Each result keeps the engineer who stored it.</translation>
    </message>
    <message>
        <source>在空的 PostgreSQL 数据库中建立本程序的表和查询；已有表的数据库也可单独加 --roles。</source>
        <translation>Make the program&apos;s tables and queries in an empty PostgreSQL database; --roles alone also brings a database made earlier up to date.</translation>
    </message>
    <message>
        <source>显示用法；help 命令（或 命令 --help）显示该命令的用法。</source>
        <translation>Show the usage; help COMMAND (or COMMAND --help) shows one command&apos;s.</translation>
    </message>
    <message>
        <source>显示版本、使用的数据库和选定它的方式。</source>
        <translation>Show the version, the database in use and what chose it.</translation>
    </message>
    <message>
        <source>design --flow 值 --resistance 值 --static-head 值 [单位选项] [介质与吸入选项] [--db 数据库] [--json] [--explain]</source>
        <translation>design --flow VALUE --resistance VALUE --static-head VALUE [UNITS] [LIQUID] [--db DATABASE] [--json] [--explain]</translation>
    </message>
    <message>
        <source>check --model 型号 --flow 值 --resistance 值 --static-head 值 [单位选项] [介质与吸入选项] [--db 数据库] [--json]</source>
        <translation>check --model MODEL --flow VALUE --resistance VALUE --static-head VALUE [UNITS] [LIQUID] [--db DATABASE] [--json]</translation>
    </message>
    <message>
        <source>select --flow 值 --resistance 值 --static-head 值 [单位选项] [变速选项] [介质与吸入选项] [--model 型号] [--db 数据库] [--json] [--explain]</source>
        <translation>select --flow VALUE --resistance VALUE --static-head VALUE [UNITS] [VARIABLE-SPEED] [LIQUID] [--model MODEL] [--db DATABASE] [--json] [--explain]</translation>
    </message>
    <message>
        <source>results [--all] [--variable-speed] [--db 数据库] [--json]</source>
        <translation>results [--all] [--variable-speed] [--db DATABASE] [--json]</translation>
    </message>
    <message>
        <source>report [--all] [--variable-speed] (--pdf 文件 | --csv 文件 | --xlsx 文件) [--db 数据库] [--json]</source>
        <translation>report [--all] [--variable-speed] (--pdf FILE | --csv FILE | --xlsx FILE) [--db DATABASE] [--json]</translation>
    </message>
    <message>
        <source>sheet (--model 型号 | --all) --flow 值 --resistance 值 --static-head 值 [单位选项] [介质与吸入选项] --pdf 文件 [资料单选项] [--db 数据库] [--json]</source>
        <translation>sheet (--model MODEL | --all) --flow VALUE --resistance VALUE --static-head VALUE [UNITS] [LIQUID] --pdf FILE [SHEET] [--db DATABASE] [--json]</translation>
    </message>
    <message>
        <source>sheet --variable-speed (--model 型号 | --all) --flow 值 --resistance 值 --static-head 值 [单位选项] [变速选项] --pdf 文件 [资料单选项] [--db 数据库] [--json]</source>
        <translation>sheet --variable-speed (--model MODEL | --all) --flow VALUE --resistance VALUE --static-head VALUE [UNITS] [VARIABLE-SPEED] --pdf FILE [SHEET] [--db DATABASE] [--json]</translation>
    </message>
    <message>
        <source>catalogue-check [--db 数据库] [--json]</source>
        <translation>catalogue-check [--db DATABASE] [--json]</translation>
    </message>
    <message>
        <source>models [--type 类型] [--speed 转速] [--text 文字] [--db 数据库] [--json]</source>
        <translation>models [--type TYPE] [--speed SPEED] [--text TEXT] [--db DATABASE] [--json]</translation>
    </message>
    <message>
        <source>import-mdb 源文件.mdb [--db 目标文件] [--codepage 代码页] [--json]</source>
        <translation>import-mdb SOURCE.mdb [--db TARGET] [--codepage CODEPAGE] [--json]</translation>
    </message>
    <message>
        <source>import-catalogue 水泵.csv 性能点.csv [--db 数据库] [--replace] [--json]</source>
        <translation>import-catalogue PUMPS.csv POINTS.csv [--db DATABASE] [--replace] [--json]</translation>
    </message>
    <message>
        <source>export-catalogue 水泵.csv 性能点.csv [--db 数据库] [--json]</source>
        <translation>export-catalogue PUMPS.csv POINTS.csv [--db DATABASE] [--json]</translation>
    </message>
    <message>
        <source>update-catalogue [--from 新数据库] [--db 数据库] [--json]</source>
        <translation>update-catalogue [--from NEWER] [--db DATABASE] [--json]</translation>
    </message>
    <message>
        <source>copy-db 源数据库 目标数据库 [--replace] [--json]</source>
        <translation>copy-db SOURCE TARGET [--replace] [--json]</translation>
    </message>
    <message>
        <source>init-db postgresql://… [--with-catalogue [--from 数据库文件]] [--roles] [--json]</source>
        <translation>init-db postgresql://... [--with-catalogue [--from FILE]] [--roles] [--json]</translation>
    </message>
    <message>
        <source>help [命令 | --help]</source>
        <translation>help [COMMAND | --help]</translation>
    </message>
    <message>
        <source>--version [--db 数据库]</source>
        <translation>--version [--db DATABASE]</translation>
    </message>
    <message>
        <source>取值：</source>
        <translation>One of: </translation>
    </message>
    <message>
        <source>类型</source>
        <translation>TYPE</translation>
    </message>
    <message>
        <source>转速</source>
        <translation>SPEED</translation>
    </message>
    <message>
        <source>%1：</source>
        <translation>%1: </translation>
    </message>
    <message>
        <source>语言</source>
        <translation>LANGUAGE</translation>
    </message>
    <message>
        <source>输出的语言：zh（中文，默认）或 en（English）；也可用环境变量 TARNWICK_LANG 或窗口中的“语言/Language”菜单指定，依次为本选项、环境变量、设置。存储的数据不随语言改变。</source>
        <translation>The language of the output: zh (Chinese, the default) or en (English); TARNWICK_LANG and the windows&apos; Language menu choose it too, in the order option, environment, settings. Stored data never change with the language.</translation>
    </message>
    <message>
        <source>把本次计算结果（--all：全部计算结果）的报表写成 PDF、CSV 或 XLSX 文件，可同时写几种；--variable-speed：变速节能选型结果的报表，与窗口中的报表相同。这些计算有介质与吸入条件时，其计算结果随后附上（PDF 的后续页、XLSX 的第二张工作表、CSV 空一行后的第二个表）。文件名为 - 时写到标准输出。</source>
        <translation>Write the report of the latest results (--all: of every stored result) as PDF, CSV or XLSX, several at once if asked; --variable-speed: the report of the variable-speed runs, as the window&apos;s. When those runs had a liquid or a suction pressure, their figures follow (further pages of the PDF, a second sheet of the workbook, a second table after an empty line of the CSV). A file named - is standard output.</translation>
    </message>
</context>
<context>
    <name>tarnwick::MDIForm1</name>
    <message>
        <source>选型计算(&amp;C)</source>
        <translation>&amp;Selection</translation>
    </message>
    <message>
        <source>设计计算(&amp;S)</source>
        <translation>&amp;Design Selection</translation>
    </message>
    <message>
        <source>校核计算(&amp;T)</source>
        <translation>Duty &amp;Check</translation>
    </message>
    <message>
        <source>变速节能选型(&amp;V)</source>
        <translation>&amp;Variable-Speed Selection</translation>
    </message>
    <message>
        <source>结果显示(&amp;R)</source>
        <translation>&amp;Results</translation>
    </message>
    <message>
        <source>本次计算结果显示(&amp;B)</source>
        <translation>&amp;Latest Results</translation>
    </message>
    <message>
        <source>全部计算结果显示(&amp;Q)</source>
        <translation>&amp;All Results</translation>
    </message>
    <message>
        <source>本次变速选型结果显示(&amp;V)</source>
        <translation>Latest &amp;Variable-Speed Results</translation>
    </message>
    <message>
        <source>全部变速选型结果显示(&amp;A)</source>
        <translation>All V&amp;ariable-Speed Results</translation>
    </message>
    <message>
        <source>选型资料单(&amp;S)…</source>
        <translation>Data &amp;Sheet…</translation>
    </message>
    <message>
        <source>选型原理(&amp;P)</source>
        <translation>Selection &amp;Principle</translation>
    </message>
    <message>
        <source>公司及产品介绍(&amp;I)</source>
        <translation>Company and &amp;Products</translation>
    </message>
    <message>
        <source>公司简介(&amp;C)</source>
        <translation>&amp;Company Profile</translation>
    </message>
    <message>
        <source>产品简介(&amp;P)</source>
        <translation>&amp;Product Overview</translation>
    </message>
    <message>
        <source>数据(&amp;D)</source>
        <translation>&amp;Data</translation>
    </message>
    <message>
        <source>水泵目录维护(&amp;M)…</source>
        <translation>Pump &amp;Catalogue…</translation>
    </message>
    <message>
        <source>数据库连接(&amp;B)…</source>
        <translation>Data&amp;base Connection…</translation>
    </message>
    <message>
        <source>窗口(&amp;W)</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>层叠(&amp;C)</source>
        <translation>&amp;Cascade</translation>
    </message>
    <message>
        <source>平铺(&amp;T)</source>
        <translation>&amp;Tile</translation>
    </message>
    <message>
        <source>水平平铺(&amp;H)</source>
        <translation>Tile &amp;Horizontally</translation>
    </message>
    <message>
        <source>垂直平铺(&amp;V)</source>
        <translation>Tile &amp;Vertically</translation>
    </message>
    <message>
        <source>排列图标(&amp;A)</source>
        <translation>&amp;Arrange Icons</translation>
    </message>
    <message>
        <source>语言/Language(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>内容(&amp;C)</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>关于本软件(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>退出(&amp;E)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>设计计算</source>
        <translation>Design Selection</translation>
    </message>
    <message>
        <source>校核计算</source>
        <translation>Duty Check</translation>
    </message>
    <message>
        <source>本次计算结果显示</source>
        <translation>Latest Results</translation>
    </message>
    <message>
        <source>全部计算结果显示</source>
        <translation>All Results</translation>
    </message>
    <message>
        <source>选型原理</source>
        <translation>Selection Principle</translation>
    </message>
    <message>
        <source>公司简介</source>
        <translation>Company Profile</translation>
    </message>
    <message>
        <source>产品简介</source>
        <translation>Product Overview</translation>
    </message>
    <message>
        <source>变速节能选型</source>
        <translation>Variable-Speed Selection</translation>
    </message>
</context>
<context>
    <name>tarnwick::app</name>
    <message>
        <source>用法：tarnwick [--db 数据库文件或 postgresql://…] [--lang zh|en]
启动水泵选型程序。数据库依次取 --db、环境变量 TARNWICK_DB、设置文件 ~/.config/tarnwick/tarnwick.conf 中选定的数据库，否则为默认位置。
语言依次取 --lang、环境变量 TARNWICK_LANG、窗口中“语言/Language”菜单的选择，否则为中文。
命令行工具：tarnwick-cli help
</source>
        <translation>Usage: tarnwick [--db DATABASE-FILE or postgresql://…] [--lang zh|en]
Starts the pump selection program. The database is taken from --db, else the environment variable TARNWICK_DB, else the database chosen in the settings file ~/.config/tarnwick/tarnwick.conf, else the default place.
The language is taken from --lang, else the environment variable TARNWICK_LANG, else the choice in the window&apos;s Language menu, else Chinese.
Command-line tool: tarnwick-cli help
</translation>
    </message>
</context>
<context>
    <name>tarnwick::calctext</name>
    <message>
        <source>水泵设计计算</source>
        <translation>Pump Design Selection</translation>
    </message>
    <message>
        <source>水泵校核计算</source>
        <translation>Pump Duty Check</translation>
    </message>
    <message>
        <source>用户参数</source>
        <translation>Duty</translation>
    </message>
    <message>
        <source>水泵主要数据</source>
        <translation>Pump Data</translation>
    </message>
    <message>
        <source>满足用户要求的水泵</source>
        <translation>Pumps Meeting the Duty</translation>
    </message>
    <message>
        <source>水泵运行参数</source>
        <translation>Operating Point</translation>
    </message>
    <message>
        <source>尺寸数据</source>
        <translation>Dimensions</translation>
    </message>
    <message>
        <source>系统阻力=</source>
        <translation>Resistance=</translation>
    </message>
    <message>
        <source>流量=</source>
        <translation>Flow=</translation>
    </message>
    <message>
        <source>静扬程=</source>
        <translation>Static head=</translation>
    </message>
    <message>
        <source>水泵型号:</source>
        <translation>Pump model:</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>全屏显示</source>
        <translation>Full Screen</translation>
    </message>
    <message>
        <source>计算</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>水泵性能曲线</source>
        <translation>Performance Curves</translation>
    </message>
    <message>
        <source>水泵示意图</source>
        <translation>Pump Schematic</translation>
    </message>
    <message>
        <source>η(％)</source>
        <translation>η(%)</translation>
    </message>
    <message>
        <source>图例</source>
        <translation>Legend</translation>
    </message>
    <message>
        <source>水泵特性曲线</source>
        <translation>Pump curves</translation>
    </message>
    <message>
        <source>管路特性曲线</source>
        <translation>System curve</translation>
    </message>
    <message>
        <source>实际运行点</source>
        <translation>Operating point</translation>
    </message>
    <message>
        <source>水泵类型</source>
        <translation>Pump type</translation>
    </message>
    <message>
        <source>   水泵型号</source>
        <translation>   Pump model</translation>
    </message>
    <message>
        <source>  转速(r/min)</source>
        <translation>  Speed(r/min)</translation>
    </message>
    <message>
        <source> 流量(m3/h)</source>
        <translation> Flow(m3/h)</translation>
    </message>
    <message>
        <source>扬程 (m)</source>
        <translation>Head (m)</translation>
    </message>
    <message>
        <source>轴功率  (kW)</source>
        <translation>Shaft power  (kW)</translation>
    </message>
    <message>
        <source>电动机功  率(kW)</source>
        <translation>Motor  power(kW)</translation>
    </message>
    <message>
        <source>必需汽蚀  余量(m)</source>
        <translation>NPSH  required(m)</translation>
    </message>
    <message>
        <source>叶轮外径(mm)</source>
        <translation>Impeller dia.(mm)</translation>
    </message>
    <message>
        <source>重量(kg)</source>
        <translation>Weight(kg)</translation>
    </message>
    <message>
        <source>型水泵（未入选）</source>
        <translation> pump (not selected)</translation>
    </message>
    <message>
        <source>未入选：</source>
        <translation>Not selected: </translation>
    </message>
    <message>
        <source>该水泵在此工况下没有工作点，无法绘制性能曲线。</source>
        <translation>This pump has no operating point at this duty; its performance curves cannot be drawn.</translation>
    </message>
    <message>
        <source>实测管路点第%1行的流量和扬程应为数字！请重新输入。</source>
        <translation>Measured system point %1: flow and head must be numbers! Please enter them again.</translation>
    </message>
    <message>
        <source>生成选型资料单…</source>
        <translation>Make Data Sheets…</translation>
    </message>
    <message>
        <source>全部候选水泵…</source>
        <translation>All Candidates…</translation>
    </message>
    <message>
        <source>未入选水泵…</source>
        <translation>Pumps Not Selected…</translation>
    </message>
    <message>
        <source>请先进行设计计算。</source>
        <translation>Run a design selection first.</translation>
    </message>
    <message>
        <source>上次设计计算中所有水泵均已入选。</source>
        <translation>Every pump of the last design selection was selected.</translation>
    </message>
    <message>
        <source>未入选水泵（最接近入选的 %1 台）</source>
        <translation>Pumps Not Selected (the %1 closest to selection)</translation>
    </message>
    <message>
        <source>按未满足规则的差距从小到大排列；双击或按“在曲线图上显示”查看该水泵。</source>
        <translation>Ordered by how far each pump misses its rule, closest first; double-click or press &quot;Show on Chart&quot; to see the pump.</translation>
    </message>
    <message>
        <source>水泵型号</source>
        <translation>Pump model</translation>
    </message>
    <message>
        <source>转速(r/min)</source>
        <translation>Speed(r/min)</translation>
    </message>
    <message>
        <source>未满足的规则</source>
        <translation>Rule not met</translation>
    </message>
    <message>
        <source>原因</source>
        <translation>Reason</translation>
    </message>
    <message>
        <source>差距(%)</source>
        <translation>Margin(%)</translation>
    </message>
    <message>
        <source>实际流量(m3/h)</source>
        <translation>Operating flow(m3/h)</translation>
    </message>
    <message>
        <source>实际扬程(m)</source>
        <translation>Operating head(m)</translation>
    </message>
    <message>
        <source>实际效率(%)</source>
        <translation>Operating efficiency(%)</translation>
    </message>
    <message>
        <source>在曲线图上显示(&amp;S)</source>
        <translation>&amp;Show on Chart</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>tarnwick::cli</name>
    <message>
        <source>多余的参数：%1</source>
        <translation>Unexpected argument: %1</translation>
    </message>
    <message>
        <source>选项 --%1 重复。</source>
        <translation>Option --%1 given twice.</translation>
    </message>
    <message>
        <source>选项 --%1 缺少取值。</source>
        <translation>Option --%1 lacks its value.</translation>
    </message>
    <message>
        <source>选项 --%1 的取值“%2”不是数字。</source>
        <translation>The value &quot;%2&quot; of option --%1 is not a number.</translation>
    </message>
    <message>
        <source>命令 %1 没有选项 --%2。</source>
        <translation>Command %1 has no option --%2.</translation>
    </message>
    <message>
        <source>命令 %1 缺少文件名。</source>
        <translation>Command %1 lacks a file name.</translation>
    </message>
    <message>
        <source>缺少命令。</source>
        <translation>No command given.</translation>
    </message>
    <message>
        <source>未知的命令：%1</source>
        <translation>Unknown command: %1</translation>
    </message>
    <message>
        <source>缺少选项 --%1。</source>
        <translation>Option --%1 is missing.</translation>
    </message>
    <message>
        <source>流量单位“%1”不在单位列表中。</source>
        <translation>Flow unit &quot;%1&quot; is not in the list of units.</translation>
    </message>
    <message>
        <source>压力单位“%1”不在单位列表中。</source>
        <translation>Pressure unit &quot;%1&quot; is not in the list of units.</translation>
    </message>
    <message>
        <source>正在选型：已检查 %1/%2 台水泵</source>
        <translation>Selecting: %1/%2 pumps checked</translation>
    </message>
    <message>
        <source>满足用户要求的水泵：
</source>
        <translation>Pumps meeting the duty:
</translation>
    </message>
    <message>
        <source>
“%1”中的记录：
</source>
        <translation>
Rows of &quot;%1&quot;:
</translation>
    </message>
    <message>
        <source>校核计算需要 --model 型号。</source>
        <translation>The duty check needs --model MODEL.</translation>
    </message>
    <message>
        <source>水泵运行参数：
</source>
        <translation>Operating point:
</translation>
    </message>
    <message>
        <source>“%1”中的记录：
</source>
        <translation>Rows of &quot;%1&quot;:
</translation>
    </message>
    <message>
        <source>选项 --%1 的值“%2”不是数字。</source>
        <translation>The value &quot;%2&quot; of option --%1 is not a number.</translation>
    </message>
    <message>
        <source>未知的介质“%1”：可选 water、ethylene-glycol、propylene-glycol。</source>
        <translation>Unknown liquid &quot;%1&quot;: choose water, ethylene-glycol or propylene-glycol.</translation>
    </message>
    <message>
        <source>--concentration 只用于乙二醇或丙二醇。</source>
        <translation>--concentration applies only to ethylene or propylene glycol.</translation>
    </message>
    <message>
        <source>乙二醇或丙二醇需要 --concentration（质量百分比）。</source>
        <translation>Ethylene or propylene glycol needs --concentration (mass percent).</translation>
    </message>
    <message>
        <source>介质需要 --temperature（℃）。</source>
        <translation>The liquid needs --temperature (°C).</translation>
    </message>
    <message>
        <source>--atmospheric 应为大于0的大气压力（kPa）。</source>
        <translation>--atmospheric must be an atmospheric pressure above 0 (kPa).</translation>
    </message>
    <message>
        <source>吸入口绝对压力不大于0：请检查 --suction-pressure 和 --atmospheric。</source>
        <translation>The absolute suction pressure is not above 0: check --suction-pressure and --atmospheric.</translation>
    </message>
    <message>
        <source>--%1 需要 --suction-pressure。</source>
        <translation>--%1 needs --suction-pressure.</translation>
    </message>
    <message>
        <source>--npsh-margin 应在1～3之间（有效汽蚀余量与必需汽蚀余量之比）。</source>
        <translation>--npsh-margin must lie between 1 and 3 (NPSH available over NPSH required).</translation>
    </message>
    <message>
        <source>--max-trim 需要 --trim。</source>
        <translation>--max-trim needs --trim.</translation>
    </message>
    <message>
        <source>--max-trim 应在0～50%之间（叶轮外径的百分比）。</source>
        <translation>--max-trim must lie between 0 and 50% (percent of the impeller diameter).</translation>
    </message>
    <message>
        <source>--measured 与 --resistance 只能给出一个。</source>
        <translation>Give only one of --measured and --resistance.</translation>
    </message>
    <message>
        <source>--measured 的写法是 流量:扬程,流量:扬程,…（“%1”不对）。</source>
        <translation>--measured is written FLOW:HEAD,FLOW:HEAD,… (&quot;%1&quot; is not).</translation>
    </message>
    <message>
        <source>--measured 需要 --flow（设计流量）。</source>
        <translation>--measured needs --flow (the design flow).</translation>
    </message>
    <message>
        <source>介质：%1</source>
        <translation>Liquid: %1</translation>
    </message>
    <message>
        <source>，%1 ℃，密度 %2 kg/m3，运动粘度 %3 cSt，汽化压力 %4 kPa
</source>
        <translation>, %1 °C, density %2 kg/m3, kinematic viscosity %3 cSt, vapour pressure %4 kPa
</translation>
    </message>
    <message>
        <source>吸入口绝对压力：%1 kPa
</source>
        <translation>Absolute suction pressure: %1 kPa
</translation>
    </message>
    <message>
        <source>实测管路特性：H = %1 + %2·Q²，设计流量下阻力 %3 m
</source>
        <translation>Measured system curve: H = %1 + %2·Q², resistance at the design flow %3 m
</translation>
    </message>
    <message>
        <source>未入选水泵：%1 台（入选 %2 台）
</source>
        <translation>Pumps not selected: %1 (selected: %2)
</translation>
    </message>
    <message>
        <source>  %1（%2）：%3
</source>
        <translation>  %1 (%2): %3
</translation>
    </message>
    <message>
        <source>  表“%1”：%2 行
</source>
        <translation>  table &quot;%1&quot;: %2 rows
</translation>
    </message>
    <message>
        <source>源数据库和目标数据库是同一个文件：%1</source>
        <translation>The source and target databases are the same file: %1</translation>
    </message>
    <message>
        <source>正在复制“%1”：%2 行</source>
        <translation>Copying &quot;%1&quot;: %2 rows</translation>
    </message>
    <message>
        <source>已将 %1 复制到 %2，每张表的行数和内容都已核对：
</source>
        <translation>Copied %1 to %2; every table&apos;s row count and contents were verified:
</translation>
    </message>
    <message>
        <source>init-db 需要 PostgreSQL 数据库地址（postgresql://…），而不是文件：%1</source>
        <translation>init-db needs a PostgreSQL database address (postgresql://…), not a file: %1</translation>
    </message>
    <message>
        <source>已在 %1 中设定角色 %2（工程师）和 %3（目录维护人员）的权限和行级安全策略。请用 CREATE ROLE 用户名 LOGIN IN ROLE %2（或 %3）为每人建立登录。
</source>
        <translation>Set the rights and row-level security policies of the roles %2 (engineers) and %3 (catalogue maintainers) in %1. Give each person a login with CREATE ROLE name LOGIN IN ROLE %2 (or %3).
</translation>
    </message>
    <message>
        <source>数据库 %1 中已有表，没有建立任何表。</source>
        <translation>The database %1 already holds tables; no table was created.</translation>
    </message>
    <message>
        <source>已在 %1 中建立本程序的表和查询（水泵目录为空）。
</source>
        <translation>Created the program&apos;s tables and queries in %1 (the pump catalogue is empty).
</translation>
    </message>
    <message>
        <source>已在 %1 中建立本程序的表，水泵目录、示意图和公司资料取自 %2：
</source>
        <translation>Created the program&apos;s tables in %1, with the pump catalogue, schematics and company texts taken from %2:
</translation>
    </message>
    <message>
        <source>目标文件 %1 已存在，不会覆盖它。请用 --db 指定一个新的目标文件。</source>
        <translation>The target file %1 exists already and will not be overwritten. Name a new target file with --db.</translation>
    </message>
    <message>
        <source>正在转换：表 %1/%2“%3”，已复制 %4 行</source>
        <translation>Converting: table %1/%2 &quot;%3&quot;, %4 rows copied</translation>
    </message>
    <message>
        <source>正在导入性能点：%1 %</source>
        <translation>Importing performance points: %1 %</translation>
    </message>
    <message>
        <source>没有导入任何数据：
  </source>
        <translation>Nothing was imported:
  </translation>
    </message>
    <message>
        <source>已将 %1 台水泵、%2 个性能点导入 %3（文件编码：%4，%5）。
</source>
        <translation>Imported %1 pumps and %2 performance points into %3 (file encoding: %4, %5).
</translation>
    </message>
    <message>
        <source>原有的 %1 台水泵、%2 个性能点已被替换。
</source>
        <translation>The %1 pumps and %2 performance points there before were replaced.
</translation>
    </message>
    <message>
        <source>请注意（已导入）：
  </source>
        <translation>Please note (imported as given):
  </translation>
    </message>
    <message>
        <source>选型结果表没有改动。
</source>
        <translation>The result tables were not changed.
</translation>
    </message>
    <message>
        <source>已从 %1 导出 %2 台水泵到 %3，%4 个性能点到 %5。
</source>
        <translation>Exported %2 pumps from %1 to %3 and %4 performance points to %5.
</translation>
    </message>
    <message>
        <source>新数据库与当前数据库是同一个文件：%1</source>
        <translation>The new database and the current one are the same file: %1</translation>
    </message>
    <message>
        <source>已用 %1 中的水泵目录（%2 台水泵、%3 个性能点）替换 %4 中的目录。两张结果表没有改动。
</source>
        <translation>Replaced the catalogue in %4 with the pump catalogue of %1 (%2 pumps, %3 performance points). The two result tables were not changed.
</translation>
    </message>
    <message>
        <source>内存不足，无法完成导入或导出；数据库没有改动。请关闭其他程序后重试，或把文件分成几部分导入。</source>
        <translation>Out of memory: the import or export could not be completed; the database is unchanged. Close other programs and retry, or import the file in several parts.</translation>
    </message>
    <message>
        <source>选项 --speed 的值“%1”不是数字。</source>
        <translation>The value &quot;%1&quot; of option --speed is not a number.</translation>
    </message>
    <message>
        <source>水泵型号	水泵类型	转速 r/min	性能点	最大流量 m3/h	最大扬程 m
</source>
        <translation>Model	Type	Speed r/min	Points	Max flow m3/h	Max head m
</translation>
    </message>
    <message>
        <source>无法写入标准输出（%1），输出不完整。
</source>
        <translation>Cannot write to standard output (%1); the output is incomplete.
</translation>
    </message>
    <message>
        <source>
用法见 “%1”。
</source>
        <translation>
For the usage see &quot;%1&quot;.
</translation>
    </message>
    <message>
        <source>选项 --%1 缺少文件名。
</source>
        <translation>Option --%1 lacks its file name.
</translation>
    </message>
    <message>
        <source>报表命令需要 --pdf、--csv 或 --xlsx 之一。（tarnwick-cli --help 显示用法）
</source>
        <translation>The report command needs one of --pdf, --csv or --xlsx. (tarnwick-cli --help shows the usage)
</translation>
    </message>
    <message>
        <source>“%1”的报表已写入 %2（%3 条记录，%4 页）
</source>
        <translation>Report of &quot;%1&quot; written to %2 (%3 rows, %4 pages)
</translation>
    </message>
    <message>
        <source>%1. %2  %3+%4台  电机%5kW（%6）  设计转速比%7%  加权综合效率%8%  年耗电量%9kWh（高出最优%10%）  年电费%11元  优先工作区外%12%时间
</source>
        <translation>%1. %2  %3+%4 pumps  motor %5kW (%6)  design speed ratio %7%  weighted efficiency %8%  annual energy %9kWh (%10% above best)  annual cost %11 CNY  %12% of time outside the preferred region
</translation>
    </message>
    <message>
        <source>样本配用</source>
        <translation>catalogue motor</translation>
    </message>
    <message>
        <source>按全速曲线选配</source>
        <translation>sized on the full-speed curve</translation>
    </message>
    <message>
        <source>控制方式“%1”应为 constant、proportional、critical 或 system。
</source>
        <translation>The control &quot;%1&quot; must be constant, proportional, critical or system.
</translation>
    </message>
    <message>
        <source>变速节能选型（%1）：
</source>
        <translation>Variable-speed selection (%1):
</translation>
    </message>
    <message>
        <source>
未入选的水泵：
</source>
        <translation>
Pumps not selected:
</translation>
    </message>
    <message>
        <source>选型资料单需要 --model 型号 或 --all 之一，以及 --pdf 文件。
</source>
        <translation>The data sheet needs one of --model MODEL or --all, and --pdf FILE.
</translation>
    </message>
    <message>
        <source>已写入选型资料单 %1 页：%2
</source>
        <translation>Data sheet written, %1 page(s): %2
</translation>
    </message>
    <message>
        <source>没有测点</source>
        <translation>no catalogue points</translation>
    </message>
    <message>
        <source>扬程曲线拟合失败</source>
        <translation>head curve fit failed</translation>
    </message>
    <message>
        <source>扬程拟合偏差 %1 %（占最大扬程），R² = %2</source>
        <translation>head fit deviation %1 % (of the largest head), R² = %2</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>目录数据不符合规则 %1 处：
</source>
        <translation>The catalogue data break the rules in %1 place(s):
</translation>
    </message>
    <message>
        <source>共 %1 台水泵，%2 台需要检查：
</source>
        <translation>%1 pumps, %2 to be checked:
</translation>
    </message>
    <message>
        <source>只能有一个文件写到标准输出（-）。</source>
        <translation>Only one file can be written to standard output (-).</translation>
    </message>
    <message>
        <source>--json 已占用标准输出，文件不能写到标准输出（-）。</source>
        <translation>--json already uses standard output; no file can be written to standard output (-).</translation>
    </message>
    <message>
        <source>无法建立临时文件。</source>
        <translation>Cannot create a temporary file.</translation>
    </message>
    <message>
        <source>没有符合条件的水泵。</source>
        <translation>No pump matches.</translation>
    </message>
    <message>
        <source>无法读取临时文件 %1：%2</source>
        <translation>Cannot read the temporary file %1: %2</translation>
    </message>
    <message>
        <source>%1 未入选：%2</source>
        <translation>%1 not selected: %2</translation>
    </message>
    <message>
        <source>没有满足要求的水泵。</source>
        <translation>No pump meets the duty.</translation>
    </message>
    <message>
        <source>--json 已占用标准输出，资料单不能写到标准输出（-）。</source>
        <translation>--json already uses standard output; the data sheet cannot be written to standard output (-).</translation>
    </message>
    <message>
        <source>粘度修正 B=%1 CQ=%2 CH=%3 Cη=%4</source>
        <translation>viscosity correction B=%1 CQ=%2 CH=%3 Cη=%4</translation>
    </message>
    <message>
        <source>有效汽蚀余量 %1 m，各负荷点最大需要 %2 m</source>
        <translation>NPSH available %1 m, at most %2 m required at the load points</translation>
    </message>
    <message>
        <source>目录中没有必需汽蚀余量，未校核汽蚀</source>
        <translation>no NPSH required in the catalogue, NPSH not checked</translation>
    </message>
    <message>
        <source>--density 与 --fluid 只能给出一个：介质的密度由其物性表给出。</source>
        <translation>Give only one of --density and --fluid: the liquid&apos;s density comes from its property table.</translation>
    </message>
    <message>
        <source>选项 --%1 的数据库文件名是空的。</source>
        <translation>The database file name of option --%1 is empty.</translation>
    </message>
    <message>
        <source>  其后是“%1”的介质与吸入条件（%2 条记录，%3 页）
</source>
        <translation>  followed by the liquid and suction figures of &quot;%1&quot; (%2 rows, %3 pages)
</translation>
    </message>
</context>
<context>
    <name>tarnwick::controls</name>
    <message>
        <source>介质</source>
        <translation>Liquid</translation>
    </message>
    <message>
        <source>目录中的清水（不修正）</source>
        <translation>Clean water of the catalogue (no correction)</translation>
    </message>
    <message>
        <source>浓度（质量%）</source>
        <translation>Concentration (mass %)</translation>
    </message>
    <message>
        <source>温度（℃）</source>
        <translation>Temperature (°C)</translation>
    </message>
    <message>
        <source>入口表压</source>
        <translation>Suction gauge pressure</translation>
    </message>
    <message>
        <source>不校核</source>
        <translation>not checked</translation>
    </message>
    <message>
        <source>大气压（kPa）</source>
        <translation>Atmospheric pressure (kPa)</translation>
    </message>
    <message>
        <source>切削叶轮至设计工况，最多</source>
        <translation>Trim the impeller to the duty, at most</translation>
    </message>
    <message>
        <source>只列出在优先运行区内的水泵</source>
        <translation>List only pumps in the preferred operating region</translation>
    </message>
    <message>
        <source>%1应为数字！请重新输入。</source>
        <translation>%1 must be a number! Please enter it again.</translation>
    </message>
    <message>
        <source>浓度</source>
        <translation>Concentration</translation>
    </message>
    <message>
        <source>温度</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>大气压</source>
        <translation>Atmospheric pressure</translation>
    </message>
    <message>
        <source>入口绝对压力应大于0！请重新输入。</source>
        <translation>The absolute suction pressure must be above 0! Please enter it again.</translation>
    </message>
    <message>
        <source>最大切削量</source>
        <translation>Maximum trim</translation>
    </message>
    <message>
        <source>最大切削量应在0～50%之间！请重新输入。</source>
        <translation>The maximum trim must lie between 0 and 50%! Please enter it again.</translation>
    </message>
    <message>
        <source>文件夹</source>
        <translation>folder</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>file</translation>
    </message>
    <message>
        <source>%1 文件</source>
        <translation>%1 file</translation>
    </message>
    <message>
        <source>介质与吸入条件</source>
        <translation>Liquid and suction</translation>
    </message>
    <message>
        <source>实测管路点（至少三点，代替管路阻力）</source>
        <translation>Measured system points (three or more, instead of the system resistance)</translation>
    </message>
    <message>
        <source>流量</source>
        <translation>Flow</translation>
    </message>
    <message>
        <source>扬程</source>
        <translation>Head</translation>
    </message>
    <message>
        <source>选型资料单</source>
        <translation>Data Sheet</translation>
    </message>
    <message>
        <source>共 %1 页，每台水泵一页。</source>
        <translation>%1 page(s), one page per pump.</translation>
    </message>
    <message>
        <source>项目名称：</source>
        <translation>Project name:</translation>
    </message>
    <message>
        <source>项目编号：</source>
        <translation>Project number:</translation>
    </message>
    <message>
        <source>设计人：</source>
        <translation>Designer:</translation>
    </message>
    <message>
        <source>设备位号：</source>
        <translation>Equipment tag:</translation>
    </message>
    <message>
        <source>日期：</source>
        <translation>Date:</translation>
    </message>
    <message>
        <source>打印预览(&amp;V)…</source>
        <translation>Print Pre&amp;view…</translation>
    </message>
    <message>
        <source>打印(&amp;P)…</source>
        <translation>&amp;Print…</translation>
    </message>
    <message>
        <source>保存为PDF(&amp;S)…</source>
        <translation>&amp;Save as PDF…</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>正在生成选型资料单…</source>
        <translation>Making the data sheets…</translation>
    </message>
    <message>
        <source>保存选型资料单</source>
        <translation>Save Data Sheet</translation>
    </message>
    <message>
        <source>PDF 文件 (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>选型资料单.pdf</source>
        <translation>data-sheet.pdf</translation>
    </message>
    <message>
        <source>打印选型资料单失败。</source>
        <translation>Printing the data sheet failed.</translation>
    </message>
    <message>
        <source>已写入选型资料单 %1 页：%2</source>
        <translation>Data sheet written, %1 page(s): %2</translation>
    </message>
</context>
<context>
    <name>tarnwick::core</name>
    <message>
        <source>水泵最高效率＝</source>
        <translation>Best efficiency = </translation>
    </message>
    <message>
        <source>水泵实际扬程＝</source>
        <translation>Operating head = </translation>
    </message>
    <message>
        <source>水泵实际流量＝</source>
        <translation>Operating flow = </translation>
    </message>
    <message>
        <source>水泵实际效率＝</source>
        <translation>Operating efficiency = </translation>
    </message>
    <message>
        <source>型水泵1台</source>
        <translation> pump, 1 off</translation>
    </message>
    <message>
        <source>水</source>
        <translation>water</translation>
    </message>
    <message>
        <source>乙二醇水溶液</source>
        <translation>ethylene glycol solution</translation>
    </message>
    <message>
        <source>丙二醇水溶液</source>
        <translation>propylene glycol solution</translation>
    </message>
    <message>
        <source>乙二醇或丙二醇的浓度应在</source>
        <translation>The glycol concentration must lie between </translation>
    </message>
    <message>
        <source>%（质量）之间！请重新输入。</source>
        <translation>% (by mass)! Please enter it again.</translation>
    </message>
    <message>
        <source>的温度应在</source>
        <translation> temperature must lie between </translation>
    </message>
    <message>
        <source>℃之间！请重新输入。</source>
        <translation> °C! Please enter it again.</translation>
    </message>
    <message>
        <source>水 4℃</source>
        <translation>water 4 °C</translation>
    </message>
    <message>
        <source>水 7℃</source>
        <translation>water 7 °C</translation>
    </message>
    <message>
        <source>水 20℃</source>
        <translation>water 20 °C</translation>
    </message>
    <message>
        <source>水 40℃</source>
        <translation>water 40 °C</translation>
    </message>
    <message>
        <source>水 60℃</source>
        <translation>water 60 °C</translation>
    </message>
    <message>
        <source>水 80℃</source>
        <translation>water 80 °C</translation>
    </message>
    <message>
        <source>乙二醇溶液 30% 20℃</source>
        <translation>ethylene glycol 30% 20 °C</translation>
    </message>
    <message>
        <source>乙二醇溶液 40% 20℃</source>
        <translation>ethylene glycol 40% 20 °C</translation>
    </message>
    <message>
        <source>丙二醇溶液 30% 20℃</source>
        <translation>propylene glycol 30% 20 °C</translation>
    </message>
    <message>
        <source>丙二醇溶液 40% 20℃</source>
        <translation>propylene glycol 40% 20 °C</translation>
    </message>
    <message>
        <source>测点少于</source>
        <translation>fewer catalogue points than </translation>
    </message>
    <message>
        <source>个</source>
        <translation> </translation>
    </message>
    <message>
        <source>设计流量超出测点流量范围</source>
        <translation>design flow outside the points&apos; flow range</translation>
    </message>
    <message>
        <source>粘度修正超出范围</source>
        <translation>viscosity correction out of range</translation>
    </message>
    <message>
        <source>曲线拟合失败</source>
        <translation>curve fit failed</translation>
    </message>
    <message>
        <source>没有工作点</source>
        <translation>no operating point</translation>
    </message>
    <message>
        <source>工作点轴功率为0</source>
        <translation>zero shaft power at the operating point</translation>
    </message>
    <message>
        <source>最高效率不高于</source>
        <translation>best efficiency not above </translation>
    </message>
    <message>
        <source>扬程过低</source>
        <translation>head too low</translation>
    </message>
    <message>
        <source>扬程过高</source>
        <translation>head too high</translation>
    </message>
    <message>
        <source>流量过低</source>
        <translation>flow too low</translation>
    </message>
    <message>
        <source>流量过高</source>
        <translation>flow too high</translation>
    </message>
    <message>
        <source>效率过低</source>
        <translation>efficiency too low</translation>
    </message>
    <message>
        <source>汽蚀余量不足</source>
        <translation>NPSH available insufficient</translation>
    </message>
    <message>
        <source>不在优先运行区内</source>
        <translation>outside the preferred operating region</translation>
    </message>
    <message>
        <source>测点数据不可用，无法拟合曲线</source>
        <translation>catalogue points unusable, no curve can be fitted</translation>
    </message>
    <message>
        <source>只有 </source>
        <translation>only </translation>
    </message>
    <message>
        <source> 个测点，至少需要 </source>
        <translation> catalogue points, at least </translation>
    </message>
    <message>
        <source> 个</source>
        <translation> needed</translation>
    </message>
    <message>
        <source>设计流量为最大测点流量的 </source>
        <translation>design flow is </translation>
    </message>
    <message>
        <source> 倍，超过 </source>
        <translation> times the largest point flow, more than </translation>
    </message>
    <message>
        <source> 倍</source>
        <translation> times</translation>
    </message>
    <message>
        <source>设计流量为最小测点流量的 </source>
        <translation>design flow is </translation>
    </message>
    <message>
        <source> 倍，不足 </source>
        <translation> times the smallest point flow, less than </translation>
    </message>
    <message>
        <source>最高效率 </source>
        <translation>best efficiency </translation>
    </message>
    <message>
        <source> %，不高于 </source>
        <translation> %, not above </translation>
    </message>
    <message>
        <source>扬程低于系统阻力 </source>
        <translation>head below the system resistance by </translation>
    </message>
    <message>
        <source>扬程未高出系统阻力</source>
        <translation>head not above the system resistance</translation>
    </message>
    <message>
        <source>扬程高出 </source>
        <translation>head above by </translation>
    </message>
    <message>
        <source>流量低于设计流量 </source>
        <translation>flow below the design flow by </translation>
    </message>
    <message>
        <source>流量未高出设计流量</source>
        <translation>flow not above the design flow</translation>
    </message>
    <message>
        <source>流量高出 </source>
        <translation>flow above by </translation>
    </message>
    <message>
        <source>效率低于最高效率 </source>
        <translation>efficiency below the best efficiency by </translation>
    </message>
    <message>
        <source> 个百分点</source>
        <translation> percentage points</translation>
    </message>
    <message>
        <source>粘度修正参数 B 为 </source>
        <translation>viscosity correction parameter B is </translation>
    </message>
    <message>
        <source>，不小于 40</source>
        <translation>, not below 40</translation>
    </message>
    <message>
        <source>有效汽蚀余量 </source>
        <translation>NPSH available </translation>
    </message>
    <message>
        <source> m，需要 </source>
        <translation> m, required </translation>
    </message>
    <message>
        <source> m，不足</source>
        <translation> m, insufficient</translation>
    </message>
    <message>
        <source>工作点流量为最高效率点流量的 </source>
        <translation>operating flow is </translation>
    </message>
    <message>
        <source> %，不在 </source>
        <translation> %, not within </translation>
    </message>
    <message>
        <source>～120 % 之内</source>
        <translation>–120 %</translation>
    </message>
    <message>
        <source>型 </source>
        <translation> </translation>
    </message>
    <message>
        <source>转速</source>
        <translation>speed </translation>
    </message>
    <message>
        <source>工作点流量/最高效率点流量 </source>
        <translation>operating flow / best-efficiency flow </translation>
    </message>
    <message>
        <source>在优先运行区内</source>
        <translation>inside the preferred operating region</translation>
    </message>
    <message>
        <source>；粘度修正 B=</source>
        <translation>; viscosity correction B=</translation>
    </message>
    <message>
        <source>；有效汽蚀余量 </source>
        <translation>; NPSH available </translation>
    </message>
    <message>
        <source> m，必需 </source>
        <translation> m, required </translation>
    </message>
    <message>
        <source>；目录中没有必需汽蚀余量，未校核汽蚀</source>
        <translation>; no NPSH required in the catalogue, NPSH not checked</translation>
    </message>
    <message>
        <source>；无需切削叶轮</source>
        <translation>; no impeller trim needed</translation>
    </message>
    <message>
        <source>；切削量超过 </source>
        <translation>; trim exceeds </translation>
    </message>
    <message>
        <source> %，保留原叶轮</source>
        <translation> %, original impeller kept</translation>
    </message>
    <message>
        <source>；叶轮切削至 </source>
        <translation>; impeller trimmed to </translation>
    </message>
    <message>
        <source>原外径</source>
        <translation>the original diameter</translation>
    </message>
    <message>
        <source> %），轴功率 </source>
        <translation> %), shaft power </translation>
    </message>
    <message>
        <source> kW，效率 </source>
        <translation> kW, efficiency </translation>
    </message>
    <message>
        <source> %（按等效工作点）</source>
        <translation> % (at the equivalent duty point)</translation>
    </message>
    <message>
        <source>实测点至少需要3个（流量:扬程）！请重新输入。</source>
        <translation>At least 3 measured points (flow:head) are needed! Please enter them again.</translation>
    </message>
    <message>
        <source>实测点的流量和扬程应为不小于0的数！请重新输入。</source>
        <translation>Measured flows and heads must be numbers not below 0! Please enter them again.</translation>
    </message>
    <message>
        <source>实测点的流量不能都为0！请重新输入。</source>
        <translation>The measured flows cannot all be 0! Please enter them again.</translation>
    </message>
    <message>
        <source>实测点的流量应各不相同！请重新输入。</source>
        <translation>The measured flows must all differ! Please enter them again.</translation>
    </message>
    <message>
        <source>实测点拟合的管路阻力系数不大于0，扬程应随流量增大！请检查实测点。</source>
        <translation>The system resistance coefficient fitted to the measured points is not above 0; head must rise with flow! Please check the measured points.</translation>
    </message>
    <message>
        <source>实测点拟合的静扬程小于0！请检查实测点，或同时输入静扬程。</source>
        <translation>The static head fitted to the measured points is below 0! Please check the measured points, or enter the static head as well.</translation>
    </message>
    <message>
        <source>请输入负荷分布！</source>
        <translation>Please enter the load profile!</translation>
    </message>
    <message>
        <source>负荷分布最多20行！请重新输入。</source>
        <translation>The load profile has at most 20 rows! Please enter it again.</translation>
    </message>
    <message>
        <source>负荷点流量比例应在0～100%之间！请重新输入。</source>
        <translation>A load point&apos;s flow share must lie between 0 and 100%! Please enter it again.</translation>
    </message>
    <message>
        <source>负荷点时间比例应在0～100%之间！请重新输入。</source>
        <translation>A load point&apos;s time share must lie between 0 and 100%! Please enter it again.</translation>
    </message>
    <message>
        <source>各负荷点时间比例之和应为100%！请重新输入。</source>
        <translation>The load points&apos; time shares must add up to 100%! Please enter them again.</translation>
    </message>
    <message>
        <source>工作泵台数应为1～4台！请重新输入。</source>
        <translation>The number of duty pumps must be 1 to 4! Please enter it again.</translation>
    </message>
    <message>
        <source>备用泵台数应为0～2台！请重新输入。</source>
        <translation>The number of standby pumps must be 0 to 2! Please enter it again.</translation>
    </message>
    <message>
        <source>年运行时间应在0～8760h之间！请重新输入。</source>
        <translation>The annual operating hours must lie between 0 and 8760 h! Please enter them again.</translation>
    </message>
    <message>
        <source>电价应在0～100元/kWh之间！请重新输入。</source>
        <translation>The electricity price must lie between 0 and 100 CNY/kWh! Please enter it again.</translation>
    </message>
    <message>
        <source>流体密度应在500～2000kg/m3之间！请重新输入。</source>
        <translation>The fluid density must lie between 500 and 2000 kg/m3! Please enter it again.</translation>
    </message>
    <message>
        <source>最低转速比应在10～90%之间！请重新输入。</source>
        <translation>The minimum speed ratio must lie between 10 and 90%! Please enter it again.</translation>
    </message>
    <message>
        <source>最高转速比应在最低转速比～100%之间！请重新输入。</source>
        <translation>The maximum speed ratio must lie between the minimum speed ratio and 100%! Please enter it again.</translation>
    </message>
    <message>
        <source>电机功率储备系数应在1～2之间！请重新输入。</source>
        <translation>The motor power margin factor must lie between 1 and 2! Please enter it again.</translation>
    </message>
    <message>
        <source>比例压差起点应在0～100%之间！请重新输入。</source>
        <translation>The proportional control start must lie between 0 and 100%! Please enter it again.</translation>
    </message>
    <message>
        <source>末端压差设定值应在0～管路阻力之间！请重新输入。</source>
        <translation>The remote differential pressure setpoint must lie between 0 and the system resistance! Please enter it again.</translation>
    </message>
    <message>
        <source>负荷分布应写成“流量%:时间%”，各点以逗号分开，如 100:1,75:42,50:45,25:12。</source>
        <translation>Write the load profile as &quot;flow%:time%&quot;, points separated by commas, e.g. 100:1,75:42,50:45,25:12.</translation>
    </message>
    <message>
        <source>定压差</source>
        <translation>constant pressure</translation>
    </message>
    <message>
        <source>比例压差</source>
        <translation>proportional pressure</translation>
    </message>
    <message>
        <source>末端压差</source>
        <translation>remote differential pressure</translation>
    </message>
    <message>
        <source>系统曲线</source>
        <translation>system curve</translation>
    </message>
    <message>
        <source>没有可用的性能曲线（</source>
        <translation>no usable performance curve (</translation>
    </message>
    <message>
        <source>个性能点）</source>
        <translation> performance points)</translation>
    </message>
    <message>
        <source>最高转速下扬程不足（H(Qd/N)＝</source>
        <translation>head too low at maximum speed (H(Qd/N) = </translation>
    </message>
    <message>
        <source>单台流量Qd/N＝</source>
        <translation>flow per pump Qd/N = </translation>
    </message>
    <message>
        <source>m3/h超出水泵性能曲线（实测流量</source>
        <translation>m3/h beyond the pump&apos;s curve (measured flow </translation>
    </message>
    <message>
        <source>m3/h），扬程不足</source>
        <translation>m3/h), head too low</translation>
    </message>
    <message>
        <source>设计点不在优先工作区（qe/Qbep＝</source>
        <translation>design point outside the preferred region (qe/Qbep = </translation>
    </message>
    <message>
        <source>，应为0.70～1.20）</source>
        <translation>, should be 0.70–1.20)</translation>
    </message>
    <message>
        <source>负荷点无法运行（流量比例</source>
        <translation>load point cannot be met (flow share </translation>
    </message>
    <message>
        <source>所需电机超过315kW（</source>
        <translation>motor needed above 315 kW (</translation>
    </message>
    <message>
        <source>管路阻力应在0～2MPa之间！请重新输入。</source>
        <translation>The pipe-system resistance must lie between 0 and 2 MPa! Please enter it again.</translation>
    </message>
    <message>
        <source>流量应在0～10000m3/h之间！请重新输入。</source>
        <translation>The flow must lie between 0 and 10000 m3/h! Please enter it again.</translation>
    </message>
    <message>
        <source>静扬程应在0～2MPa之间！请重新输入。</source>
        <translation>The static head must lie between 0 and 2 MPa! Please enter it again.</translation>
    </message>
    <message>
        <source>请从列表中选择水泵型号！</source>
        <translation>Please choose a pump model from the list!</translation>
    </message>
    <message>
        <source>您选择的水泵流量不合适，请重新选择水泵！</source>
        <translation>The flow of the pump you chose does not suit; please choose another pump!</translation>
    </message>
    <message>
        <source>您选择的水泵压力不合适，请重新选择水泵！</source>
        <translation>The pressure of the pump you chose does not suit; please choose another pump!</translation>
    </message>
    <message>
        <source>您选择的水泵扬程不合适，请重新选择水泵！</source>
        <translation>The head of the pump you chose does not suit; please choose another pump!</translation>
    </message>
    <message>
        <source>您选择的水泵效率太低，请重新选择水泵！</source>
        <translation>The efficiency of the pump you chose is too low; please choose another pump!</translation>
    </message>
    <message>
        <source>该水泵没有性能曲线数据，请重新选择水泵！</source>
        <translation>This pump has no performance curve data; please choose another pump!</translation>
    </message>
    <message>
        <source>您选择的水泵汽蚀余量不足，请重新选择水泵！</source>
        <translation>The NPSH available is insufficient for the pump you chose; please choose another pump!</translation>
    </message>
    <message>
        <source>您选择的水泵不适合输送该介质，请重新选择水泵！</source>
        <translation>The pump you chose is not suitable for this liquid; please choose another pump!</translation>
    </message>
    <message>
        <source>没有找到满足你需要的风机！</source>
        <translation>No pump meeting your requirements was found!</translation>
    </message>
    <message>
        <source>注意：工作点流量 </source>
        <translation>Note: the operating flow </translation>
    </message>
    <message>
        <source> m3/h 超出该水泵的实测流量范围（</source>
        <translation> m3/h lies outside the pump&apos;s measured flow range (</translation>
    </message>
    <message>
        <source> m3/h），该处性能为曲线外推值。</source>
        <translation> m3/h); the performance there is extrapolated from the curve.</translation>
    </message>
    <message>
        <source>～</source>
        <translation>–</translation>
    </message>
    <message>
        <source> %（</source>
        <translation> % (</translation>
    </message>
    <message>
        <source>（</source>
        <translation> (</translation>
    </message>
    <message>
        <source>）</source>
        <translation>)</translation>
    </message>
    <message>
        <source>，</source>
        <translation>, </translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <source>＝</source>
        <translation> = </translation>
    </message>
    <message>
        <source>！</source>
        <translation>!</translation>
    </message>
    <message>
        <source>。</source>
        <translation>.</translation>
    </message>
</context>
<context>
    <name>tarnwick::datasheet</name>
    <message>
        <source>拟合质量
扬程：最大偏差 %1 %（占最大扬程），R² = %2
轴功率：最大偏差 %3 %（占最大轴功率），R² = %4</source>
        <translation>Fit quality
Head: largest deviation %1 % (of the largest head), R² = %2
Shaft power: largest deviation %3 % (of the largest shaft power), R² = %4</translation>
    </message>
    <message>
        <source>水泵选型资料单</source>
        <translation>Pump Data Sheet</translation>
    </message>
    <message>
        <source>η-G 效率曲线</source>
        <translation>η-G efficiency curve</translation>
    </message>
    <message>
        <source>H-G 扬程曲线</source>
        <translation>H-G head curve</translation>
    </message>
    <message>
        <source>N-G 轴功率曲线</source>
        <translation>N-G shaft power curve</translation>
    </message>
    <message>
        <source>管路特性曲线</source>
        <translation>System curve</translation>
    </message>
    <message>
        <source>用户参数</source>
        <translation>Duty point</translation>
    </message>
    <message>
        <source>实际运行点</source>
        <translation>Operating point</translation>
    </message>
    <message>
        <source>样本测点（同色方框）</source>
        <translation>Catalogue points (squares of the same colour)</translation>
    </message>
    <message>
        <source>图例</source>
        <translation>Legend</translation>
    </message>
    <message>
        <source>曲线拟合质量</source>
        <translation>Curve fit quality</translation>
    </message>
    <message>
        <source>扬程最大偏差</source>
        <translation>Largest head deviation</translation>
    </message>
    <message>
        <source>扬程 R²</source>
        <translation>Head R²</translation>
    </message>
    <message>
        <source>轴功率最大偏差</source>
        <translation>Largest shaft power deviation</translation>
    </message>
    <message>
        <source>轴功率 R²</source>
        <translation>Shaft power R²</translation>
    </message>
    <message>
        <source>偏差为拟合曲线与样本测点之差的最大值占最大扬程（轴功率）的百分比。</source>
        <translation>The deviation is the largest difference between the fitted curve and the catalogue points, in percent of the largest head (shaft power).</translation>
    </message>
    <message>
        <source>Tarnwick %1    数据库：%2</source>
        <translation>Tarnwick %1    Database: %2</translation>
    </message>
    <message>
        <source>变速节能选型</source>
        <translation>Variable-Speed Selection</translation>
    </message>
    <message>
        <source>单台轴功率为一台运行水泵的轴功率，合计输入功率为全部运行水泵从电网取用的功率。a 等效流量超出样本实测流量范围；b 最低转速运行，多余扬程由阀门节流；c 不在优先工作区（qe/Qbep 0.70～1.20，ANSI/HI 9.6.3）。加权综合效率＝全年水力能量÷全年耗电量。</source>
        <translation>Shaft power per pump is that of one running pump; total input power is what all running pumps draw from the grid. a equivalent flow beyond the catalogue&apos;s measured flow range; b running at minimum speed, the excess head throttled by the valves; c outside the preferred operating region (qe/Qbep 0.70–1.20, ANSI/HI 9.6.3). Weighted efficiency = the year&apos;s hydraulic energy ÷ the year&apos;s electrical energy.</translation>
    </message>
    <message>
        <source>（起点 %1 %）</source>
        <translation> (start %1 %)</translation>
    </message>
    <message>
        <source>（设定值 %1 m）</source>
        <translation> (setpoint %1 m)</translation>
    </message>
    <message>
        <source>控制方式</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>设计扬程</source>
        <translation>Design head</translation>
    </message>
    <message>
        <source>水泵台数</source>
        <translation>Pumps</translation>
    </message>
    <message>
        <source>%1+%2（%1 用 %2 备）</source>
        <translation>%1+%2 (%1 duty, %2 standby)</translation>
    </message>
    <message>
        <source>负荷分布</source>
        <translation>Load profile</translation>
    </message>
    <message>
        <source>年运行小时</source>
        <translation>Operating hours per year</translation>
    </message>
    <message>
        <source>电价</source>
        <translation>Electricity price</translation>
    </message>
    <message>
        <source> 元/kWh</source>
        <translation> CNY/kWh</translation>
    </message>
    <message>
        <source>流体密度</source>
        <translation>Fluid density</translation>
    </message>
    <message>
        <source>转速比范围</source>
        <translation>Speed ratio range</translation>
    </message>
    <message>
        <source>～</source>
        <translation>–</translation>
    </message>
    <message>
        <source>电机储备系数</source>
        <translation>Motor margin factor</translation>
    </message>
    <message>
        <source>水泵型号</source>
        <translation>Pump model</translation>
    </message>
    <message>
        <source>转速</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>电机功率</source>
        <translation>Motor power</translation>
    </message>
    <message>
        <source> kW（%1）</source>
        <translation> kW (%1)</translation>
    </message>
    <message>
        <source>样本配用</source>
        <translation>catalogue motor</translation>
    </message>
    <message>
        <source>按曲线选配</source>
        <translation>sized on the curve</translation>
    </message>
    <message>
        <source>单台最大轴功率</source>
        <translation>Largest shaft power per pump</translation>
    </message>
    <message>
        <source> kW（%1 %转速）</source>
        <translation> kW (%1 % speed)</translation>
    </message>
    <message>
        <source> kW（全速）</source>
        <translation> kW (full speed)</translation>
    </message>
    <message>
        <source>最高效率点流量</source>
        <translation>Best-efficiency flow</translation>
    </message>
    <message>
        <source>水泵最高效率</source>
        <translation>Best efficiency of the pump</translation>
    </message>
    <message>
        <source>设计点转速比</source>
        <translation>Design-point speed ratio</translation>
    </message>
    <message>
        <source>设计点水泵效率</source>
        <translation>Design-point pump efficiency</translation>
    </message>
    <message>
        <source>设计点输入功率</source>
        <translation>Design-point input power</translation>
    </message>
    <message>
        <source>变速运行曲线</source>
        <translation>Variable-speed operating curves</translation>
    </message>
    <message>
        <source>负荷点运行参数</source>
        <translation>Operation at the load points</translation>
    </message>
    <message>
        <source>年耗电量</source>
        <translation>Annual energy</translation>
    </message>
    <message>
        <source>年电费</source>
        <translation>Annual cost</translation>
    </message>
    <message>
        <source> 元</source>
        <translation> CNY</translation>
    </message>
    <message>
        <source>加权综合效率</source>
        <translation>Weighted efficiency</translation>
    </message>
    <message>
        <source>优先工作区外</source>
        <translation>Outside the preferred region</translation>
    </message>
    <message>
        <source> % 时间</source>
        <translation> % of time</translation>
    </message>
    <message>
        <source>最高效率点</source>
        <translation>Best-efficiency point</translation>
    </message>
    <message>
        <source>流量比</source>
        <translation>Flow ratio</translation>
    </message>
    <message>
        <source>（区内）</source>
        <translation> (inside)</translation>
    </message>
    <message>
        <source>（区外）</source>
        <translation> (outside)</translation>
    </message>
    <message>
        <source>水</source>
        <translation>water</translation>
    </message>
    <message>
        <source>乙二醇</source>
        <translation>ethylene glycol</translation>
    </message>
    <message>
        <source>丙二醇</source>
        <translation>propylene glycol</translation>
    </message>
    <message>
        <source>介质</source>
        <translation>Liquid</translation>
    </message>
    <message>
        <source>介质温度</source>
        <translation>Liquid temperature</translation>
    </message>
    <message>
        <source>密度</source>
        <translation>Density</translation>
    </message>
    <message>
        <source>运动粘度</source>
        <translation>Kinematic viscosity</translation>
    </message>
    <message>
        <source>粘度参数B</source>
        <translation>Viscosity parameter B</translation>
    </message>
    <message>
        <source>有效汽蚀余量</source>
        <translation>NPSH available</translation>
    </message>
    <message>
        <source>必需汽蚀余量</source>
        <translation>NPSH required</translation>
    </message>
    <message>
        <source>叶轮切削</source>
        <translation>Impeller trim</translation>
    </message>
    <message>
        <source>超过%1%，不切削</source>
        <translation>above %1%, not trimmed</translation>
    </message>
    <message>
        <source>切削后外径</source>
        <translation>Trimmed diameter</translation>
    </message>
    <message>
        <source>切削比</source>
        <translation>Trim ratio</translation>
    </message>
    <message>
        <source>切削后轴功率</source>
        <translation>Trimmed shaft power</translation>
    </message>
    <message>
        <source>切削后效率*</source>
        <translation>Trimmed efficiency*</translation>
    </message>
    <message>
        <source>按等效工作点</source>
        <translation>at the equivalent duty point</translation>
    </message>
    <message>
        <source>设计</source>
        <translation>Design</translation>
    </message>
    <message>
        <source>校核</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>负荷点</source>
        <translation>Load point</translation>
    </message>
    <message>
        <source>流量
m3/h</source>
        <translation>Flow
m3/h</translation>
    </message>
    <message>
        <source>扬程
m</source>
        <translation>Head
m</translation>
    </message>
    <message>
        <source>台数</source>
        <translation>Pumps</translation>
    </message>
    <message>
        <source>转速比
%</source>
        <translation>Speed ratio
%</translation>
    </message>
    <message>
        <source>水泵效率
%</source>
        <translation>Pump efficiency
%</translation>
    </message>
    <message>
        <source>单台轴功率
kW</source>
        <translation>Shaft power per pump
kW</translation>
    </message>
    <message>
        <source>电机效率
%</source>
        <translation>Motor efficiency
%</translation>
    </message>
    <message>
        <source>变频器效率
%</source>
        <translation>Converter efficiency
%</translation>
    </message>
    <message>
        <source>合计输入功率
kW</source>
        <translation>Total input power
kW</translation>
    </message>
    <message>
        <source>综合效率
%</source>
        <translation>Overall efficiency
%</translation>
    </message>
    <message>
        <source>等效流量超出实测流量范围</source>
        <translation>equivalent flow beyond the measured flow range</translation>
    </message>
    <message>
        <source>最低转速运行，多余扬程由阀门节流</source>
        <translation>minimum speed, excess head throttled by the valves</translation>
    </message>
    <message>
        <source>不在优先工作区</source>
        <translation>outside the preferred region</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>设计点</source>
        <translation>Design point</translation>
    </message>
    <message>
        <source>项目名称</source>
        <translation>Project name</translation>
    </message>
    <message>
        <source>项目编号</source>
        <translation>Project number</translation>
    </message>
    <message>
        <source>设计人</source>
        <translation>Designer</translation>
    </message>
    <message>
        <source>设备位号</source>
        <translation>Equipment tag</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>计算方式</source>
        <translation>Method</translation>
    </message>
    <message>
        <source>设计工况</source>
        <translation>Design duty</translation>
    </message>
    <message>
        <source>流量</source>
        <translation>Flow</translation>
    </message>
    <message>
        <source>折合</source>
        <translation>Equivalent</translation>
    </message>
    <message>
        <source>管路阻力</source>
        <translation>System resistance</translation>
    </message>
    <message>
        <source>静扬程</source>
        <translation>Static head</translation>
    </message>
    <message>
        <source>运行参数</source>
        <translation>Operating point</translation>
    </message>
    <message>
        <source>实际流量</source>
        <translation>Operating flow</translation>
    </message>
    <message>
        <source>实际扬程</source>
        <translation>Operating head</translation>
    </message>
    <message>
        <source>实际效率</source>
        <translation>Operating efficiency</translation>
    </message>
    <message>
        <source>工作点轴功率</source>
        <translation>Shaft power at the operating point</translation>
    </message>
    <message>
        <source>水泵样本数据</source>
        <translation>Pump catalogue data</translation>
    </message>
    <message>
        <source>设备安装示意图  </source>
        <translation>Installation schematic  </translation>
    </message>
    <message>
        <source>（无示意图）</source>
        <translation>(no schematic)</translation>
    </message>
    <message>
        <source>水泵性能曲线</source>
        <translation>Pump performance curves</translation>
    </message>
    <message>
        <source>无法生成选型资料单。</source>
        <translation>The data sheet could not be made.</translation>
    </message>
    <message>
        <source>%1台并联%2%转速扬程</source>
        <translation>%1 pumps in parallel, head at %2% speed</translation>
    </message>
    <message>
        <source>%1台并联全速扬程</source>
        <translation>%1 pumps in parallel, head at full speed</translation>
    </message>
    <message>
        <source>单台效率（按%1台流量）</source>
        <translation>Efficiency per pump (at the flow of %1 pumps)</translation>
    </message>
    <message>
        <source>%1%负荷转速</source>
        <translation>Speed at %1% load</translation>
    </message>
    <message>
        <source>控制曲线</source>
        <translation>Control curve</translation>
    </message>
    <message>
        <source>系统曲线</source>
        <translation>System curve</translation>
    </message>
    <message>
        <source>扬程 m</source>
        <translation>Head m</translation>
    </message>
    <message>
        <source>效率 %</source>
        <translation>Efficiency %</translation>
    </message>
    <message>
        <source>总流量 m3/h</source>
        <translation>Total flow m3/h</translation>
    </message>
    <message>
        <source>负荷转速</source>
        <translation>Speed at load</translation>
    </message>
    <message>
        <source>负荷点转速（运行台数并联）</source>
        <translation>Speed at the load points (running pumps in parallel)</translation>
    </message>
    <message>
        <source>负荷点（方块为设计点）</source>
        <translation>Load points (the square is the design point)</translation>
    </message>
</context>
<context>
    <name>tarnwick::editortext</name>
    <message>
        <source>水泵目录维护</source>
        <translation>Pump Catalogue</translation>
    </message>
    <message>
        <source>水泵</source>
        <translation>Pumps</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>放弃</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>筛选：型号、类型或转速</source>
        <translation>Filter: model, type or speed</translation>
    </message>
    <message>
        <source>新建</source>
        <translation>New</translation>
    </message>
    <message>
        <source>复制…</source>
        <translation>Copy…</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>上移</source>
        <translation>Move Up</translation>
    </message>
    <message>
        <source>下移</source>
        <translation>Move Down</translation>
    </message>
    <message>
        <source>示意图…</source>
        <translation>Schematic…</translation>
    </message>
    <message>
        <source>样本数据（%1）</source>
        <translation>Catalogue points (%1)</translation>
    </message>
    <message>
        <source>流量 m³/h</source>
        <translation>Flow m³/h</translation>
    </message>
    <message>
        <source>扬程 m</source>
        <translation>Head m</translation>
    </message>
    <message>
        <source>轴功率 kW</source>
        <translation>Shaft power kW</translation>
    </message>
    <message>
        <source>添加点</source>
        <translation>Add Point</translation>
    </message>
    <message>
        <source>删除点</source>
        <translation>Delete Point</translation>
    </message>
    <message>
        <source>粘贴点</source>
        <translation>Paste Points</translation>
    </message>
    <message>
        <source>用剪贴板中的流量、扬程、轴功率替换这台水泵的全部性能点（制表符分隔，可带标题行，小数点或小数逗号）</source>
        <translation>Replace all of this pump&apos;s performance points with the flow, head and shaft power on the clipboard (tab-separated, a header row allowed, decimal point or decimal comma)</translation>
    </message>
    <message>
        <source>追加粘贴</source>
        <translation>Append Pasted</translation>
    </message>
    <message>
        <source>把剪贴板中的流量、扬程、轴功率加在这台水泵已有的性能点之后</source>
        <translation>Add the flow, head and shaft power on the clipboard after this pump&apos;s existing performance points</translation>
    </message>
    <message>
        <source>用剪贴板中的 %1 个点替换水泵“%2”现有的 %3 个性能点吗？

只想在已有的点之后添加时，请用“追加粘贴”。</source>
        <translation>Replace the %3 existing performance points of pump &quot;%2&quot; with the %1 points on the clipboard?

To add points after the existing ones, use &quot;Append Pasted&quot;.</translation>
    </message>
    <message>
        <source>追加粘贴需要流量、扬程、轴功率三列数值，剪贴板中每行只有 %1 列。</source>
        <translation>Appending needs three columns of figures (flow, head, shaft power); each clipboard row has only %1 column(s).</translation>
    </message>
    <message>
        <source>追加性能点</source>
        <translation>Append performance points</translation>
    </message>
    <message>
        <source>已追加 %1 个性能点，共 %2 个。</source>
        <translation>%1 performance point(s) appended, %2 in all.</translation>
    </message>
    <message>
        <source>%1 不大于前一点的 %2：流量应逐点增大，保存时须确认。</source>
        <translation>%1 is not greater than the previous point&apos;s %2: flows should rise point by point; the save asks for confirmation.</translation>
    </message>
    <message>
        <source>以下水泵的性能点流量没有逐点增大，曲线可能被打乱：
%1

设计计算按保存的顺序拟合这些点。仍然保存吗？</source>
        <translation>The flows of the following pumps&apos; performance points do not rise point by point, so their curves may be distorted:
%1

The design fits these points in their stored order. Save all the same?</translation>
    </message>
    <message>
        <source>水泵“%1”</source>
        <translation>Pump &quot;%1&quot;</translation>
    </message>
    <message>
        <source>……共 %1 处。</source>
        <translation>…%1 places in all.</translation>
    </message>
    <message>
        <source>%1第 %2 点：%3 不大于 %4</source>
        <translation>%1point %2: %3 not greater than %4</translation>
    </message>
    <message>
        <source>未保存：请先改正流量的顺序。</source>
        <translation>Not saved: put the flows in order first.</translation>
    </message>
    <message>
        <source>更换%1…</source>
        <translation>Replace %1…</translation>
    </message>
    <message>
        <source>清除%1</source>
        <translation>Clear %1</translation>
    </message>
    <message>
        <source>修改%1</source>
        <translation>Change %1</translation>
    </message>
    <message>
        <source>选择%1</source>
        <translation>Choose %1</translation>
    </message>
    <message>
        <source>“%1”中有 %2 个性能点没有对应的水泵，保存时将被删除。</source>
        <translation>&quot;%1&quot; holds %2 performance point(s) without a pump; they will be deleted at the save.</translation>
    </message>
    <message>
        <source>（未命名 %1）</source>
        <translation>(unnamed %1)</translation>
    </message>
    <message>
        <source>共 %1 台水泵</source>
        <translation>%1 pump(s)</translation>
    </message>
    <message>
        <source>显示 %1 台，共 %2 台水泵</source>
        <translation>%1 of %2 pump(s) shown</translation>
    </message>
    <message>
        <source>拟合质量
没有性能点。</source>
        <translation>Fit quality
No performance points.</translation>
    </message>
    <message>
        <source>该类型没有示意图</source>
        <translation>No schematic for this type</translation>
    </message>
    <message>
        <source>注意：</source>
        <translation>Note: </translation>
    </message>
    <message>
        <source>✗（目录中原有）</source>
        <translation>✗ (already in the catalogue)</translation>
    </message>
    <message>
        <source>其他水泵还有 %1 处不符合规则，保存前须改正。</source>
        <translation>Other pumps break the rules in %1 place(s); correct them before saving.</translation>
    </message>
    <message>
        <source>目录中原有 %1 处不符合规则（未改动的不妨碍保存）。</source>
        <translation>The catalogue already breaks the rules in %1 place(s) (those left unchanged do not stop a save).</translation>
    </message>
    <message>
        <source>（无图片）</source>
        <translation>(no picture)</translation>
    </message>
    <message>
        <source>修改性能点</source>
        <translation>Change performance point</translation>
    </message>
    <message>
        <source>新建水泵</source>
        <translation>New pump</translation>
    </message>
    <message>
        <source>复制水泵</source>
        <translation>Copy pump</translation>
    </message>
    <message>
        <source>新型号</source>
        <translation>New model</translation>
    </message>
    <message>
        <source>不换算</source>
        <translation>No conversion</translation>
    </message>
    <message>
        <source>按叶轮外径换算（相似定律）</source>
        <translation>Convert by impeller diameter (affinity laws)</translation>
    </message>
    <message>
        <source>按转速换算（相似定律）</source>
        <translation>Convert by speed (affinity laws)</translation>
    </message>
    <message>
        <source>性能点</source>
        <translation>Performance points</translation>
    </message>
    <message>
        <source>新的叶轮外径 mm 或转速 r/min</source>
        <translation>New impeller diameter mm or speed r/min</translation>
    </message>
    <message>
        <source>新值</source>
        <translation>New value</translation>
    </message>
    <message>
        <source>原水泵没有“%1”，无法按它换算。</source>
        <translation>The original pump has no &quot;%1&quot;; it cannot be converted by it.</translation>
    </message>
    <message>
        <source>请输入大于 0 的新“%1”。</source>
        <translation>Enter a new &quot;%1&quot; greater than 0.</translation>
    </message>
    <message>
        <source>删除水泵</source>
        <translation>Delete pump</translation>
    </message>
    <message>
        <source>移动水泵</source>
        <translation>Move pump</translation>
    </message>
    <message>
        <source>添加性能点</source>
        <translation>Add performance point</translation>
    </message>
    <message>
        <source>删除性能点</source>
        <translation>Delete performance point</translation>
    </message>
    <message>
        <source>粘贴性能点</source>
        <translation>Paste performance points</translation>
    </message>
    <message>
        <source>已粘贴 %1 个性能点。</source>
        <translation>%1 performance point(s) pasted.</translation>
    </message>
    <message>
        <source>图片 (*.png *.jpg *.jpeg *.bmp *.gif)</source>
        <translation>Pictures (*.png *.jpg *.jpeg *.bmp *.gif)</translation>
    </message>
    <message>
        <source>无法读取文件 %1：%2</source>
        <translation>Cannot read the file %1: %2</translation>
    </message>
    <message>
        <source>文件 %1 不是可以显示的图片。</source>
        <translation>The file %1 is not a picture that can be shown.</translation>
    </message>
    <message>
        <source>请先填写“%1”：示意图按水泵类型指定。</source>
        <translation>Fill in &quot;%1&quot; first: schematics are assigned by pump type.</translation>
    </message>
    <message>
        <source>选择“%1”的设备安装示意图</source>
        <translation>Choose the installation schematic of &quot;%1&quot;</translation>
    </message>
    <message>
        <source>数据库正被其他程序使用，正在第 %1 次重试保存…</source>
        <translation>The database is in use by another program; retrying the save, attempt %1…</translation>
    </message>
    <message>
        <source>未保存。</source>
        <translation>Not saved.</translation>
    </message>
    <message>
        <source>已保存：新增 %1 台、修改 %2 台、删除 %3 台水泵的记录；性能点新增 %4、修改 %5、删除 %6 行。</source>
        <translation>Saved: pump records %1 added, %2 changed, %3 deleted; performance point rows %4 added, %5 changed, %6 deleted.</translation>
    </message>
    <message>
        <source>放弃全部未保存的修改？</source>
        <translation>Discard all unsaved changes?</translation>
    </message>
    <message>
        <source>已放弃未保存的修改。</source>
        <translation>Unsaved changes discarded.</translation>
    </message>
    <message>
        <source>水泵目录有未保存的修改。关闭窗口前保存这些修改吗？</source>
        <translation>The pump catalogue has unsaved changes. Save them before closing the window?</translation>
    </message>
    <message>
        <source>水泵目录有未保存的修改。退出前保存这些修改吗？</source>
        <translation>The pump catalogue has unsaved changes. Save them before exiting?</translation>
    </message>
    <message>
        <source>不保存</source>
        <translation>Don&apos;t Save</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>剪贴板第 %1 行不全是数值：“%2”。请复制流量、扬程、轴功率三列数值。</source>
        <translation>Clipboard row %1 is not all figures: &quot;%2&quot;. Copy the three columns flow, head and shaft power.</translation>
    </message>
    <message>
        <source>剪贴板第 %1 行有 %2 列，性能点只有流量、扬程、轴功率三列。</source>
        <translation>Clipboard row %1 has %2 columns; performance points have only three: flow, head and shaft power.</translation>
    </message>
    <message>
        <source>剪贴板第 %1 行有 %2 列，与前面各行的 %3 列不同。</source>
        <translation>Clipboard row %1 has %2 columns, unlike the %3 columns of the rows before it.</translation>
    </message>
    <message>
        <source>剪贴板中没有可以粘贴的性能点数值。</source>
        <translation>The clipboard holds no performance point figures to paste.</translation>
    </message>
    <message>
        <source>&lt;span style=&apos;color:#c00000&apos;&gt;■ 扬程&lt;/span&gt;&#x3000;&lt;span style=&apos;color:#a08000&apos;&gt;■ 轴功率&lt;/span&gt;&#x3000;&lt;span style=&apos;color:#606060&apos;&gt;□ 效率（0–100 %）&lt;/span&gt;&#x3000;方块：样本点，线：拟合曲线</source>
        <translation>&lt;span style=&apos;color:#c00000&apos;&gt;■ Head&lt;/span&gt;  &lt;span style=&apos;color:#a08000&apos;&gt;■ Shaft power&lt;/span&gt;  &lt;span style=&apos;color:#606060&apos;&gt;□ Efficiency (0–100 %)&lt;/span&gt;  Squares: catalogue points, lines: fitted curves</translation>
    </message>
    <message>
        <source>%1&#x3000;%2&#x3000;%3</source>
        <translation>%1  %2  %3</translation>
    </message>
</context>
<context>
    <name>tarnwick::files</name>
    <message>
        <source>第 %1 行：引号开始的字段直到文件结尾都没有结束。</source>
        <translation>Line %1: a field opened by a quote has no closing quote before the end of the file.</translation>
    </message>
    <message>
        <source>第 %1 行：字段中间有引号；含引号的字段须整个用引号括起，其中的引号写两遍。</source>
        <translation>Line %1: a quote inside a field; a field holding quotes must be quoted as a whole, with each quote inside written twice.</translation>
    </message>
    <message>
        <source>第 %1 行：引号结束后、逗号之前还有字符。</source>
        <translation>Line %1: characters after the closing quote before the comma.</translation>
    </message>
    <message>
        <source>无法写入文件“%1”：%2</source>
        <translation>Cannot write the file &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>输出文件 %1 就是正在使用的数据库文件，写入会毁掉数据库。请换一个文件名。</source>
        <translation>The output file %1 is the database file in use; writing it would destroy the database. Choose another file name.</translation>
    </message>
    <message>
        <source>输出文件 %1 是数据库的日志文件，写入会毁掉数据库。请换一个文件名。</source>
        <translation>The output file %1 is the database&apos;s journal; writing it would destroy the database. Choose another file name.</translation>
    </message>
    <message>
        <source>两个输出文件 %1 和 %2 是同一个文件，后写的会覆盖先写的。请为每个输出指定不同的文件名。</source>
        <translation>The two output files %1 and %2 are the same file; the later would overwrite the earlier. Give each output its own file name.</translation>
    </message>
    <message>
        <source>找不到文件 %1。</source>
        <translation>File not found: %1.</translation>
    </message>
    <message>
        <source>%1 不是普通文件（而是文件夹、设备或管道），无法从中导入。</source>
        <translation>%1 is not a regular file (but a folder, device or pipe); nothing can be imported from it.</translation>
    </message>
</context>
<context>
    <name>tarnwick::i18n</name>
    <message>
        <source>选项 --lang 只能是 zh（中文）或 en（English）：%1</source>
        <translation>The option --lang takes zh (Chinese) or en (English): %1</translation>
    </message>
</context>
<context>
    <name>tarnwick::infotext</name>
    <message>
        <source>塔恩维克暖通软件研究室</source>
        <translation>Tarnwick HVAC Software Laboratory</translation>
    </message>
    <message>
        <source>版权所有</source>
        <translation>All rights reserved</translation>
    </message>
    <message>
        <source>警告：本软件受著作权法保护。未经授权，擅自复制、传播本软件的全部或部分，将依法追究其民事及刑事责任。</source>
        <translation>Warning: this software is protected by copyright law. Unauthorised copying or distribution of all or part of it will be prosecuted under civil and criminal law.</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>选型原理</source>
        <translation>Selection Principle</translation>
    </message>
    <message>
        <source>公司简介</source>
        <translation>Company Profile</translation>
    </message>
    <message>
        <source>产品介绍</source>
        <translation>Product Introduction</translation>
    </message>
    <message>
        <source>水泵示意图</source>
        <translation>Pump Schematic</translation>
    </message>
    <message>
        <source>Tarnwick软件</source>
        <translation>Tarnwick</translation>
    </message>
    <message>
        <source>点击进入</source>
        <translation>Click to enter</translation>
    </message>
    <message>
        <source>关于Tarnwick软件</source>
        <translation>About Tarnwick</translation>
    </message>
    <message>
        <source>版本1.0.0</source>
        <translation>Version 1.0.0</translation>
    </message>
    <message>
        <source>开发单位：</source>
        <translation>Developed by: </translation>
    </message>
    <message>
        <source>本软件用于帮助用户选择合适的水泵，给用户的设计计算带来方便。</source>
        <translation>This software helps users choose suitable pumps and makes their design calculations easier.</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>背景</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>Tarnwick软件快捷键说明</source>
        <translation>Tarnwick Shortcut Keys</translation>
    </message>
    <message>
        <source>设计计算：用户输入已知参数，由软件计算出满足用户要求的水泵</source>
        <translation>Design selection: the user enters the known duty and the program finds the pumps that meet it</translation>
    </message>
    <message>
        <source>校核计算：用户输入已知参数和拟选择的水泵，由软件来验证用户选择的水泵是否满足满足用户的要求</source>
        <translation>Duty check: the user enters the known duty and the pump intended, and the program checks whether that pump meets the duty</translation>
    </message>
    <message>
        <source>显示最近一次选型计算的结果，还可打印或导出计算结果</source>
        <translation>Shows the results of the latest selection, which can also be printed or exported</translation>
    </message>
    <message>
        <source>显示所有选型计算的结果，还可打印或导出计算结果</source>
        <translation>Shows the results of all selections, which can also be printed or exported</translation>
    </message>
    <message>
        <source>Tarnwick的原理</source>
        <translation>How Tarnwick Selects</translation>
    </message>
    <message>
        <source>产品简介</source>
        <translation>Product Overview</translation>
    </message>
    <message>
        <source>变速节能选型：按全年的部分负荷比较变频调速的多台并联水泵，选出耗电最少的组合</source>
        <translation>Variable-speed selection: compares sets of parallel pumps on frequency converters over a year of part load and picks the set that uses the least electricity</translation>
    </message>
    <message>
        <source>                    Tarnwick——帮助</source>
        <translation>                    Tarnwick — Help</translation>
    </message>
    <message>
        <source> 开发单位：</source>
        <translation> Developed by: </translation>
    </message>
    <message>
        <source> 主要功能： </source>
        <translation> Main functions: </translation>
    </message>
    <message>
        <source>     1 根据用户提供的参数，选择出满足客户要求的水泵，供</source>
        <translation>     1 From the duty the user gives, selects the pumps that meet the client&apos;s</translation>
    </message>
    <message>
        <source>       用户选择。</source>
        <translation>       requirements, for the user to choose from.</translation>
    </message>
    <message>
        <source>     2 将选型结果打印输出。</source>
        <translation>     2 Prints the selection results.</translation>
    </message>
    <message>
        <source> 各功能安钮介绍： </source>
        <translation> The buttons: </translation>
    </message>
    <message>
        <source>     1 计算：根据用户提供的参数计算出满足其要求的水泵</source>
        <translation>     1 Calculate: finds the pumps that meet the duty the user gives</translation>
    </message>
    <message>
        <source>     2 刷新：将当前窗口中的所有数据清除</source>
        <translation>     2 Refresh: clears all data of the current window</translation>
    </message>
    <message>
        <source>     3 打印：将用户参数、计算结果、所选设备参数打印输出</source>
        <translation>     3 Print: prints the duty, the results and the chosen equipment&apos;s data</translation>
    </message>
    <message>
        <source>     4 上一步：返回到上一窗口</source>
        <translation>     4 Back: returns to the previous window</translation>
    </message>
    <message>
        <source>     5 产品介绍：对本公司生产的各类型水泵进行介绍</source>
        <translation>     5 Products: introduces the company&apos;s types of pump</translation>
    </message>
    <message>
        <source>     6 公司简介：对本公司的各方面进行介绍</source>
        <translation>     6 Company: introduces the company</translation>
    </message>
    <message>
        <source>     7 退出：退出Tarnwick软件</source>
        <translation>     7 Exit: leaves Tarnwick</translation>
    </message>
    <message>
        <source>     8 帮助：在线提供各种帮助及其它有用信息</source>
        <translation>     8 Help: help and other useful information</translation>
    </message>
    <message>
        <source>                    Tarnwick原理</source>
        <translation>                    How Tarnwick Selects</translation>
    </message>
    <message>
        <source>1.利用数据库中的数据拟和出水泵性能曲线，形式如公式(1)。</source>
        <translation>1. The pump&apos;s performance curve is fitted to the catalogue data, in the form of equation (1).</translation>
    </message>
    <message>
        <source>    式中：H--扬程，m。G--流量，m3/h。</source>
        <translation>    where: H -- head, m. G -- flow, m3/h.</translation>
    </message>
    <message>
        <source>          a0、a1、a2、a3--系数。</source>
        <translation>          a0, a1, a2, a3 -- coefficients.</translation>
    </message>
    <message>
        <source>2.利用用户输入的参数得到管路性能曲线，形式如公式(2)。</source>
        <translation>2. The system curve follows from the user&apos;s duty, in the form of equation (2).</translation>
    </message>
    <message>
        <source>          s--管路特性阻力系数。</source>
        <translation>          s -- system resistance coefficient.</translation>
    </message>
    <message>
        <source>3.联合公式（1）和公式（2）求交点，得到水泵工作点。如果</source>
        <translation>3. Equations (1) and (2) are solved together for their intersection, the pump&apos;s operating point. If</translation>
    </message>
    <message>
        <source>工作点满足以下要求，则认为这个型号的水泵可选。</source>
        <translation>the operating point meets the following requirements, the pump model is a candidate.</translation>
    </message>
    <message>
        <source>    ①工作点参数能满足用户要求，且富余量在20％以内；</source>
        <translation>    ① the operating point meets the duty with a margin of at most 20%;</translation>
    </message>
    <message>
        <source>    ②工作点处于水泵的高效区，即ηmax-15≤η≤ηmax。</source>
        <translation>    ② the operating point lies in the pump&apos;s high-efficiency region, ηmax-15 ≤ η ≤ ηmax.</translation>
    </message>
    <message>
        <source>    其中：ηmax--水泵最高效率。η--水泵实际运行效率。</source>
        <translation>    where: ηmax -- best efficiency of the pump. η -- operating efficiency of the pump.</translation>
    </message>
    <message>
        <source>暖通空调水系统 · 离心水泵选型与校核</source>
        <translation>Centrifugal pump selection and checking for HVAC water systems</translation>
    </message>
    <message>
        <source>“%1”中没有字段“%2”。</source>
        <translation>&quot;%1&quot; has no field &quot;%2&quot;.</translation>
    </message>
</context>
<context>
    <name>tarnwick::report</name>
    <message>
        <source>计算时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>计算方式</source>
        <translation>Method</translation>
    </message>
    <message>
        <source>系统阻力</source>
        <translation>System resistance</translation>
    </message>
    <message>
        <source>流量</source>
        <translation>Flow</translation>
    </message>
    <message>
        <source>静扬程</source>
        <translation>Static head</translation>
    </message>
    <message>
        <source>所选型号</source>
        <translation>Model chosen</translation>
    </message>
    <message>
        <source>最高效率</source>
        <translation>Best efficiency</translation>
    </message>
    <message>
        <source>实际扬程</source>
        <translation>Operating head</translation>
    </message>
    <message>
        <source>实际流量</source>
        <translation>Operating flow</translation>
    </message>
    <message>
        <source>实际效率</source>
        <translation>Operating efficiency</translation>
    </message>
    <message>
        <source>无法开始输出报表。</source>
        <translation>The report output could not be started.</translation>
    </message>
    <message>
        <source>无法开始报表的第%1页。</source>
        <translation>Page %1 of the report could not be started.</translation>
    </message>
    <message>
        <source>无法完成报表的输出。</source>
        <translation>The report output could not be completed.</translation>
    </message>
    <message>
        <source>无法创建工作簿。</source>
        <translation>The workbook could not be created.</translation>
    </message>
    <message>
        <source>未知的导出格式。</source>
        <translation>Unknown export format.</translation>
    </message>
    <message>
        <source>“%1”中没有字段“%2”。</source>
        <translation>&quot;%1&quot; has no field &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>水泵选型结果报表</source>
        <translation>Pump Selection Results</translation>
    </message>
    <message>
        <source>打印日期：%D</source>
        <translation>Printed: %D</translation>
    </message>
    <message>
        <source>第%p页  共%P页</source>
        <translation>Page %p of %P</translation>
    </message>
    <message>
        <source>控制方式</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>工作泵</source>
        <translation>Duty pumps</translation>
    </message>
    <message>
        <source>(台)</source>
        <translation>(pumps)</translation>
    </message>
    <message>
        <source>备用泵</source>
        <translation>Standby pumps</translation>
    </message>
    <message>
        <source>电机</source>
        <translation>Motor</translation>
    </message>
    <message>
        <source>设计转速比</source>
        <translation>Design speed ratio</translation>
    </message>
    <message>
        <source>年耗电量</source>
        <translation>Annual energy</translation>
    </message>
    <message>
        <source>年电费</source>
        <translation>Annual cost</translation>
    </message>
    <message>
        <source>(元)</source>
        <translation>(CNY)</translation>
    </message>
    <message>
        <source>加权效率</source>
        <translation>Weighted efficiency</translation>
    </message>
    <message>
        <source>全部变速节能选型结果报表</source>
        <translation>All Variable-Speed Selections Report</translation>
    </message>
    <message>
        <source>变速节能选型结果报表</source>
        <translation>Variable-Speed Selection Report</translation>
    </message>
    <message>
        <source>方式</source>
        <translation>Method</translation>
    </message>
    <message>
        <source>介质</source>
        <translation>Liquid</translation>
    </message>
    <message>
        <source>浓度</source>
        <translation>Concentration</translation>
    </message>
    <message>
        <source>温度</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>入口绝压</source>
        <translation>Inlet abs. pressure</translation>
    </message>
    <message>
        <source>粘度参数B</source>
        <translation>Viscosity parameter B</translation>
    </message>
    <message>
        <source>切削比</source>
        <translation>Trim ratio</translation>
    </message>
    <message>
        <source>切削后外径</source>
        <translation>Trimmed diameter</translation>
    </message>
    <message>
        <source>密度</source>
        <translation>Density</translation>
    </message>
    <message>
        <source>负荷点</source>
        <translation>Load point</translation>
    </message>
    <message>
        <source>满足</source>
        <translation>NPSH met</translation>
    </message>
    <message>
        <source>介质、汽蚀与叶轮切削计算结果</source>
        <translation>Liquid, NPSH and impeller trim results</translation>
    </message>
    <message>
        <source>变速节能选型介质与汽蚀校核</source>
        <translation>Variable-speed selection: liquid and NPSH check</translation>
    </message>
    <message>
        <source>没有要导出的报表。</source>
        <translation>There is no report to export.</translation>
    </message>
</context>
<context>
    <name>tarnwick::reporttext</name>
    <message>
        <source>首页</source>
        <translation>First</translation>
    </message>
    <message>
        <source>上一页</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>下一页</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>末页</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>共 %1 页</source>
        <translation>%1 page(s)</translation>
    </message>
    <message>
        <source>打印...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>导出...</source>
        <translation>Export...</translation>
    </message>
    <message>
        <source>导出报表</source>
        <translation>Export Report</translation>
    </message>
    <message>
        <source>PDF 文件 (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>CSV 文件，UTF-8 (*.csv)</source>
        <translation>CSV files, UTF-8 (*.csv)</translation>
    </message>
    <message>
        <source>Excel 工作簿 (*.xlsx)</source>
        <translation>Excel workbooks (*.xlsx)</translation>
    </message>
    <message>
        <source>正在导出报表...</source>
        <translation>Exporting the report...</translation>
    </message>
    <message>
        <source>正在打印报表...</source>
        <translation>Printing the report...</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>已导出到 %1</source>
        <translation>Exported to %1</translation>
    </message>
    <message>
        <source>请以 .pdf、.csv 或 .xlsx 为导出文件的扩展名。</source>
        <translation>Give the export file the extension .pdf, .csv or .xlsx.</translation>
    </message>
    <message>
        <source>适合页宽</source>
        <translation>Fit Width</translation>
    </message>
    <message>
        <source>整页</source>
        <translation>Whole Page</translation>
    </message>
</context>
<context>
    <name>tarnwick::shelltext</name>
    <message>
        <source>设计计算</source>
        <translation>Design Selection</translation>
    </message>
    <message>
        <source>校核计算</source>
        <translation>Duty Check</translation>
    </message>
    <message>
        <source>本次计算结果显示</source>
        <translation>Latest Results</translation>
    </message>
    <message>
        <source>全部计算结果显示</source>
        <translation>All Results</translation>
    </message>
    <message>
        <source>变速节能选型</source>
        <translation>Variable-Speed Selection</translation>
    </message>
    <message>
        <source>水泵目录维护</source>
        <translation>Pump Catalogue</translation>
    </message>
    <message>
        <source>本次选型计算结果</source>
        <translation>Latest Selection Results</translation>
    </message>
    <message>
        <source>全部选型计算结果</source>
        <translation>All Selection Results</translation>
    </message>
    <message>
        <source>本次变速选型结果</source>
        <translation>Latest Variable-Speed Results</translation>
    </message>
    <message>
        <source>全部变速选型结果</source>
        <translation>All Variable-Speed Results</translation>
    </message>
    <message>
        <source>未入选水泵…</source>
        <translation>Pumps Not Selected…</translation>
    </message>
    <message>
        <source>请先进行设计计算。</source>
        <translation>Run a design selection first.</translation>
    </message>
    <message>
        <source>没有可生成选型资料单的水泵：请先在设计计算中选中一台候选水泵，或进行校核计算，或在变速节能选型的入选水泵中选中一组。</source>
        <translation>There is no pump to make a data sheet of: first select a candidate in the design selection, or run a duty check, or select a pump set among the accepted pumps of the variable-speed selection.</translation>
    </message>
    <message>
        <source>请先在变速节能选型的入选水泵中选中一组水泵。</source>
        <translation>First select a pump set among the accepted pumps of the variable-speed selection.</translation>
    </message>
    <message>
        <source>无法打开结果表“%1”：%2</source>
        <translation>Cannot open the result table &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>下次启动程序时将使用所选的语言。
The program will use the chosen language when it is next started.</source>
        <translation>The program will use the chosen language when it is next started.</translation>
    </message>
    <message>
        <source>程序正在使用所选的语言。</source>
        <translation>The program is using the chosen language.</translation>
    </message>
    <message>
        <source>无法保存语言设置：%1</source>
        <translation>Cannot save the language setting: %1</translation>
    </message>
    <message>
        <source>

Tarnwick 无法启动。</source>
        <translation>

Tarnwick cannot start.</translation>
    </message>
    <message>
        <source>正在转换 Access 数据库……</source>
        <translation>Converting the Access database……</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>转换已取消。</source>
        <translation>Conversion cancelled.</translation>
    </message>
    <message>
        <source>转换超时，已中止。</source>
        <translation>Conversion timed out and was stopped.</translation>
    </message>
    <message>
        <source>程序目录中的数据库文件“%1”是 Access 格式，需要先转换为本程序的数据库才能使用。

转换时原文件将改名保留在同一目录中，不会丢失任何数据。现在转换吗？</source>
        <translation>The database file &quot;%1&quot; in the program folder is in Access format and must be converted to this program&apos;s database before it can be used.

The original file is kept, renamed, in the same folder; no data is lost. Convert it now?</translation>
    </message>
    <message>
        <source>数据库文件“%1”未转换。</source>
        <translation>The database file &quot;%1&quot; was not converted.</translation>
    </message>
    <message>
        <source>窗口程序使用的数据库文件必须名为“%1”：%2</source>
        <translation>The database file of the windows must be named &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>使用的数据库</source>
        <translation>Database in use</translation>
    </message>
    <message>
        <source>下次启动时使用的数据库</source>
        <translation>Database used at the next start</translation>
    </message>
    <message>
        <source>（数据库文件，或 PostgreSQL 地址，如
postgresql://用户@服务器:5432/库名；留空则用程序目录或用户数据目录中的数据库）：</source>
        <translation> (a database file, or a PostgreSQL address such as
postgresql://user@server:5432/dbname; empty for the database in the program folder or the user&apos;s data folder):</translation>
    </message>
    <message>
        <source>密码不保存在设置中：请写在 PostgreSQL 的密码文件（~/.pgpass）中，或设在环境变量 PGPASSWORD 中。</source>
        <translation>Passwords are not kept in the settings: put them in PostgreSQL&apos;s password file (~/.pgpass) or in the environment variable PGPASSWORD.</translation>
    </message>
    <message>
        <source>没有填写数据库。</source>
        <translation>No database given.</translation>
    </message>
    <message>
        <source>连接成功，但这个数据库中没有本程序的表。请先用 tarnwick-cli init-db 或 copy-db 建立。</source>
        <translation>Connected, but this database holds none of the program&apos;s tables. Create them first with tarnwick-cli init-db or copy-db.</translation>
    </message>
    <message>
        <source>连接成功：%1 中有本程序的 %2 张表。</source>
        <translation>Connected: %1 holds %2 of the program&apos;s tables.</translation>
    </message>
    <message>
        <source>现在无法使用“%1”：
%2

仍然保存这个设置吗？如果下次启动时仍无法打开，程序会让您重试、另选数据库或使用本机的数据库文件。</source>
        <translation>&quot;%1&quot; cannot be used now:
%2

Keep this setting all the same? If it still cannot be opened at the next start, the program lets you retry, choose another database or use the local database file.</translation>
    </message>
    <message>
        <source>%1

无法打开所选的数据库。请重试，或另选数据库，或本次使用本机的数据库文件（%2）。</source>
        <translation>%1

The chosen database cannot be opened. Retry, choose another database, or use the local database file (%2) for this run.</translation>
    </message>
    <message>
        <source>%1

无法打开数据库。请重试，或另选数据库。</source>
        <translation>%1

The database cannot be opened. Retry, or choose another database.</translation>
    </message>
    <message>
        <source>重试</source>
        <translation>Retry</translation>
    </message>
    <message>
        <source>另选数据库…</source>
        <translation>Choose Another Database…</translation>
    </message>
    <message>
        <source>使用本机数据库文件</source>
        <translation>Use the Local Database File</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>介质与吸入条件</source>
        <translation>Liquid and suction</translation>
    </message>
    <message>
        <source>数据库连接</source>
        <translation>Database Connection</translation>
    </message>
    <message>
        <source>数据库：%1</source>
        <translation>Database: %1</translation>
    </message>
    <message>
        <source>测试连接(&amp;T)</source>
        <translation>&amp;Test Connection</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>
数据库设置没有改变。</source>
        <translation>
The database setting was not changed.</translation>
    </message>
    <message>
        <source>地址中的密码没有保存，请把它写在 PostgreSQL 的密码文件（~/.pgpass）中。
</source>
        <translation>The password in the address was not kept; put it in PostgreSQL&apos;s password file (~/.pgpass).
</translation>
    </message>
    <message>
        <source>新的数据库设置在下次启动程序时生效。</source>
        <translation>The new database setting takes effect when the program is next started.</translation>
    </message>
</context>
<context>
    <name>tarnwick::speedtext</name>
    <message>
        <source>变速节能选型</source>
        <translation>Variable-Speed Selection</translation>
    </message>
    <message>
        <source>输入参数</source>
        <translation>Inputs</translation>
    </message>
    <message>
        <source>选型结果</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>入选水泵</source>
        <translation>Accepted Pumps</translation>
    </message>
    <message>
        <source>未入选水泵</source>
        <translation>Rejected Pumps</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>管路阻力</source>
        <translation>System resistance</translation>
    </message>
    <message>
        <source>设计流量</source>
        <translation>Design flow</translation>
    </message>
    <message>
        <source>静扬程</source>
        <translation>Static head</translation>
    </message>
    <message>
        <source>控制方式</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>比例压差起点 %</source>
        <translation>Proportional control start %</translation>
    </message>
    <message>
        <source>30%阻力</source>
        <translation>30% of resistance</translation>
    </message>
    <message>
        <source>单位与管路阻力相同；不填则取管路阻力的30%</source>
        <translation>Same unit as the system resistance; empty for 30% of the system resistance</translation>
    </message>
    <message>
        <source>末端压差设定值</source>
        <translation>Remote differential pressure setpoint</translation>
    </message>
    <message>
        <source>流量 %</source>
        <translation>Flow %</translation>
    </message>
    <message>
        <source>时间 %</source>
        <translation>Time %</translation>
    </message>
    <message>
        <source>负荷分布</source>
        <translation>Load profile</translation>
    </message>
    <message>
        <source>增加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>工作泵台数</source>
        <translation>Duty pumps</translation>
    </message>
    <message>
        <source>备用泵台数</source>
        <translation>Standby pumps</translation>
    </message>
    <message>
        <source>年运行时间 h</source>
        <translation>Operating hours per year h</translation>
    </message>
    <message>
        <source>电价 元/kWh</source>
        <translation>Electricity price CNY/kWh</translation>
    </message>
    <message>
        <source>流体</source>
        <translation>Fluid</translation>
    </message>
    <message>
        <source>密度 kg/m3</source>
        <translation>Density kg/m3</translation>
    </message>
    <message>
        <source>最低转速比 %</source>
        <translation>Minimum speed ratio %</translation>
    </message>
    <message>
        <source>最高转速比 %</source>
        <translation>Maximum speed ratio %</translation>
    </message>
    <message>
        <source>变频器的最高输出转速（占样本转速）；低于100%时按该转速的曲线选电机、校核各点</source>
        <translation>The converter&apos;s highest output speed (share of the catalogue speed); below 100% the motor is sized and every point checked on that speed&apos;s curve</translation>
    </message>
    <message>
        <source>时间合计 %1%</source>
        <translation>Time total %1%</translation>
    </message>
    <message>
        <source>时间合计 %1%（应为100%）</source>
        <translation>Time total %1% (should be 100%)</translation>
    </message>
    <message>
        <source>电机功率储备系数</source>
        <translation>Motor power margin factor</translation>
    </message>
    <message>
        <source>选型</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>评价</source>
        <translation>Evaluate</translation>
    </message>
    <message>
        <source>单一型号</source>
        <translation>Single model</translation>
    </message>
    <message>
        <source>型号</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>规则</source>
        <translation>Rule</translation>
    </message>
    <message>
        <source>原因</source>
        <translation>Reason</translation>
    </message>
    <message>
        <source>正在进行变速节能选型……</source>
        <translation>Running the variable-speed selection……</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1：入选%2个型号，未入选%3个型号。</source>
        <translation>%1: %2 model(s) accepted, %3 model(s) rejected.</translation>
    </message>
    <message>
        <source>%1型  %2用%3备  电机%4kW（%5）  最高效率点流量%6m3/h  %7  优先工作区外%8%时间</source>
        <translation>%1  %2 duty + %3 standby  motor %4kW (%5)  best-efficiency flow %6m3/h  %7  %8% of time outside the preferred region</translation>
    </message>
    <message>
        <source>样本配用</source>
        <translation>catalogue motor</translation>
    </message>
    <message>
        <source>按%1曲线单台最大轴功率%2kW选配</source>
        <translation>sized for the largest shaft power of one pump on the %1 curve, %2kW</translation>
    </message>
    <message>
        <source>全速</source>
        <translation>full speed</translation>
    </message>
    <message>
        <source>最高转速%1%</source>
        <translation>maximum speed %1%</translation>
    </message>
    <message>
        <source>变频器最高转速%1%</source>
        <translation>converter maximum speed %1%</translation>
    </message>
    <message>
        <source>最高转速100%</source>
        <translation>maximum speed 100%</translation>
    </message>
    <message>
        <source>无性能曲线</source>
        <translation>no performance curve</translation>
    </message>
    <message>
        <source>扬程不足</source>
        <translation>head too low</translation>
    </message>
    <message>
        <source>超出性能曲线</source>
        <translation>beyond the performance curve</translation>
    </message>
    <message>
        <source>不在优先工作区</source>
        <translation>outside the preferred region</translation>
    </message>
    <message>
        <source>负荷点无法运行</source>
        <translation>load point cannot be met</translation>
    </message>
    <message>
        <source>无合适电机</source>
        <translation>no suitable motor</translation>
    </message>
    <message>
        <source>设计点</source>
        <translation>Design point</translation>
    </message>
    <message>
        <source>全年水力能量÷全年耗电量（Σt·ρgQH ÷ Σt·Pin）</source>
        <translation>The year&apos;s hydraulic energy ÷ the year&apos;s electrical energy (Σt·ρgQH ÷ Σt·Pin)</translation>
    </message>
    <message>
        <source>年耗电量高出排名第一者的百分数；相差几个百分点在计算模型的不确定度之内</source>
        <translation>The year&apos;s energy above the first-ranked set&apos;s, in percent; a few percent lie within the calculation model&apos;s uncertainty</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>转速
r/min</source>
        <translation>Speed
r/min</translation>
    </message>
    <message>
        <source>台数
N+M</source>
        <translation>Pumps
N+M</translation>
    </message>
    <message>
        <source>电机
kW</source>
        <translation>Motor
kW</translation>
    </message>
    <message>
        <source>设计转速比
%</source>
        <translation>Design speed
ratio %</translation>
    </message>
    <message>
        <source>设计点效率
%</source>
        <translation>Design point
efficiency %</translation>
    </message>
    <message>
        <source>加权综合效率
%</source>
        <translation>Weighted
efficiency %</translation>
    </message>
    <message>
        <source>优先区外
时间 %</source>
        <translation>Outside preferred
region time %</translation>
    </message>
    <message>
        <source>年耗电量
kWh</source>
        <translation>Annual energy
kWh</translation>
    </message>
    <message>
        <source>高出最优
%</source>
        <translation>Above best
%</translation>
    </message>
    <message>
        <source>年电费
元</source>
        <translation>Annual cost
CNY</translation>
    </message>
    <message>
        <source>粘度修正超出范围</source>
        <translation>viscosity correction out of range</translation>
    </message>
    <message>
        <source>汽蚀余量不足</source>
        <translation>NPSH available insufficient</translation>
    </message>
    <message>
        <source>  粘度修正 B=%1 CQ=%2 CH=%3 Cη=%4</source>
        <translation>  viscosity correction B=%1 CQ=%2 CH=%3 Cη=%4</translation>
    </message>
    <message>
        <source>有效汽蚀余量 %1 m，必需 %2 m，需要 %3 m</source>
        <translation>NPSH available %1 m, required %2 m, needed %3 m</translation>
    </message>
    <message>
        <source>生成选型资料单…</source>
        <translation>Make Data Sheet…</translation>
    </message>
    <message>
        <source>全部入选水泵…</source>
        <translation>All Accepted Pumps…</translation>
    </message>
</context>
<context>
    <name>tarnwick::store</name>
    <message>
        <source>清空“%1”失败：%2</source>
        <translation>Emptying &quot;%1&quot; failed: %2</translation>
    </message>
    <message>
        <source>计算结果没有保存。</source>
        <translation>The results were not saved.</translation>
    </message>
    <message>
        <source>读取“%1”</source>
        <translation>reading &quot;%1&quot;</translation>
    </message>
    <message>
        <source>写入“%1”</source>
        <translation>writing &quot;%1&quot;</translation>
    </message>
    <message>
        <source>水泵“%1”（序号 %2）</source>
        <translation>pump &quot;%1&quot; (key %2)</translation>
    </message>
    <message>
        <source>……共 %1 处。</source>
        <translation>…%1 places in all.</translation>
    </message>
    <message>
        <source>水泵目录不符合规则，未保存：
</source>
        <translation>The pump catalogue breaks the rules and was not saved:
</translation>
    </message>
    <message>
        <source>水泵目录在打开维护窗口之后已被其他程序修改，未保存任何内容。请放弃修改，重新打开本窗口后再改。</source>
        <translation>The pump catalogue was changed by another program after the catalogue window was opened; nothing was saved. Discard the changes, open the window again and make them there.</translation>
    </message>
    <message>
        <source>数据库正被其他程序使用，已等待并重试 %1 次仍未能保存，未保存任何内容。请稍后再保存。
</source>
        <translation>The database is in use by another program; after waiting and retrying %1 times the save still failed and nothing was saved. Please save again later.
</translation>
    </message>
    <message>
        <source>写入水泵目录失败，未保存任何内容。</source>
        <translation>Writing the pump catalogue failed; nothing was saved.</translation>
    </message>
    <message>
        <source>……共 %1 处，只列出前 %2 处。</source>
        <translation>…%1 places in all, only the first %2 listed.</translation>
    </message>
    <message>
        <source>“%1”序号 %2</source>
        <translation>&quot;%1&quot; key %2</translation>
    </message>
    <message>
        <source>序号 %1 重复（第 %2 行已有）。</source>
        <translation>Key %1 repeated (already on line %2).</translation>
    </message>
    <message>
        <source>序号 %1 重复。</source>
        <translation>Key %1 repeated.</translation>
    </message>
    <message>
        <source>缺少内容。</source>
        <translation>Content missing.</translation>
    </message>
    <message>
        <source>“%1”含有控制字符（如制表符、换行）。</source>
        <translation>&quot;%1&quot; holds control characters (such as tabs or line breaks).</translation>
    </message>
    <message>
        <source>型号“%1”与第 %2 行的重复。</source>
        <translation>Model &quot;%1&quot; repeats that of line %2.</translation>
    </message>
    <message>
        <source>型号“%1”与序号 %2 的重复。</source>
        <translation>Model &quot;%1&quot; repeats that of key %2.</translation>
    </message>
    <message>
        <source>序号 %1 在 %2 中没有对应的水泵。</source>
        <translation>Key %1 has no pump in %2.</translation>
    </message>
    <message>
        <source>序号 %1 的性能点没有连在一起（第 %2 行起已有该序号的点）。</source>
        <translation>The performance points of key %1 are not together (points of that key begin on line %2).</translation>
    </message>
    <message>
        <source>序号 %1 的性能点没有连在一起。</source>
        <translation>The performance points of key %1 are not together.</translation>
    </message>
    <message>
        <source>不是有限的数值。</source>
        <translation>Not a finite number.</translation>
    </message>
    <message>
        <source>%1 应大于 0。</source>
        <translation>%1 must be above 0.</translation>
    </message>
    <message>
        <source>%1 不能为负数。</source>
        <translation>%1 cannot be negative.</translation>
    </message>
    <message>
        <source>序号 %1 的流量 %2 不大于前一点的 %3（已接受）。</source>
        <translation>The flow %2 of key %1 is not above the previous point&apos;s %3 (accepted).</translation>
    </message>
    <message>
        <source>水泵“%1”（序号 %2）在 %3 中只有 %4 个性能点，至少需要 %5 个。</source>
        <translation>Pump &quot;%1&quot; (key %2) has only %4 performance points in %3; at least %5 are needed.</translation>
    </message>
    <message>
        <source>新的数据库的“%1”中缺少字段“%2”。</source>
        <translation>The new database&apos;s &quot;%1&quot; lacks the field &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>无法更新“%1”：%2</source>
        <translation>Cannot update &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>数据库文件 %1 中没有“%2”，目录没有更新。</source>
        <translation>The database file %1 has no &quot;%2&quot;; the catalogue was not updated.</translation>
    </message>
    <message>
        <source>服务器数据库 %1 中没有“%2”，目录没有更新。</source>
        <translation>The server database %1 has no &quot;%2&quot;; the catalogue was not updated.</translation>
    </message>
    <message>
        <source>更新服务器数据库 %1 中的“%2”</source>
        <translation>updating &quot;%2&quot; in the server database %1</translation>
    </message>
    <message>
        <source>服务器数据库 %1 的目录没有更新。</source>
        <translation>The catalogue of the server database %1 was not updated.</translation>
    </message>
    <message>
        <source>文件 %1 不是本程序的数据库文件，目录没有更新。</source>
        <translation>The file %1 is not a database file of this program; the catalogue was not updated.</translation>
    </message>
    <message>
        <source>无法打开数据库文件 %1：%2</source>
        <translation>Cannot open the database file %1: %2</translation>
    </message>
    <message>
        <source>建立“%1”</source>
        <translation>creating &quot;%1&quot;</translation>
    </message>
    <message>
        <source>找不到数据库文件：%1</source>
        <translation>Database file not found: %1</translation>
    </message>
    <message>
        <source>无法读取数据库文件：%1</source>
        <translation>Cannot read the database file: %1</translation>
    </message>
    <message>
        <source>数据库文件 %1 是 Access 格式，本程序需要先将其转换后才能使用。</source>
        <translation>The database file %1 is in Access format; the program must convert it before it can be used.</translation>
    </message>
    <message>
        <source>文件 %1 不是本程序的数据库文件。</source>
        <translation>The file %1 is not a database file of this program.</translation>
    </message>
    <message>
        <source>数据库文件 %1 上次写入时被中断，旁边的日志文件 %2 中的修改须先撤销才能读取；本程序不能写入该文件或它所在的文件夹，无法撤销。请在可以写入的文件夹中打开一次该数据库（或请管理员打开），然后再试。%3</source>
        <translation>Writing to the database file %1 was interrupted last time; the changes in the journal %2 beside it must be undone before it can be read, and this program cannot write the file or its folder to undo them. Open the database once from a folder that can be written (or ask the administrator to), then try again.%3</translation>
    </message>
    <message>
        <source>无法打开数据库文件 %1。请检查文件是否存在、是否有读写权限，以及它是否被其他程序独占。%2</source>
        <translation>Cannot open the database file %1. Check that it exists, that it may be read and written, and that no other program holds it exclusively.%2</translation>
    </message>
    <message>
        <source>数据库地址中有不止一个“@”：用户名或密码中的 @、/、: 等字符须写成 %40、%2F、%3A；密码最好不写在地址中，而写在 ~/.pgpass 中。</source>
        <translation>The database address holds more than one &quot;@&quot;: write @, / and : in the user name or password as %40, %2F and %3A; better keep the password out of the address, in ~/.pgpass.</translation>
    </message>
    <message>
        <source>数据库地址 %1 的格式不对：应写成 postgresql://用户@主机:端口/数据库名，查询参数写成 ?键=值&amp;键=值，值中的空格、=、&amp; 等字符须写成 %20、%3D、%26。</source>
        <translation>The database address %1 is malformed: write it as postgresql://user@host:port/dbname, with query parameters as ?key=value&amp;key=value, and spaces, = and &amp; in values as %20, %3D and %26.</translation>
    </message>
    <message>
        <source>数据库地址 %1 不完整：应写成 postgresql://用户@主机:端口/数据库名。</source>
        <translation>The database address %1 is incomplete: write it as postgresql://user@host:port/dbname.</translation>
    </message>
    <message>
        <source>无法连接 PostgreSQL 数据库：本机没有安装 Qt 的 PostgreSQL 驱动（libqt6sql6-psql）。</source>
        <translation>Cannot connect to the PostgreSQL database: Qt&apos;s PostgreSQL driver (libqt6sql6-psql) is not installed on this computer.</translation>
    </message>
    <message>
        <source>数据库地址中参数“%1”的值含有分号，无法使用。</source>
        <translation>The value of parameter &quot;%1&quot; in the database address holds a semicolon and cannot be used.</translation>
    </message>
    <message>
        <source>数据库地址中参数“options”的值含有分号，无法使用。</source>
        <translation>The value of parameter &quot;options&quot; in the database address holds a semicolon and cannot be used.</translation>
    </message>
    <message>
        <source>连接数据库 %1</source>
        <translation>connecting to the database %1</translation>
    </message>
    <message>
        <source>读取数据库结构</source>
        <translation>reading the database structure</translation>
    </message>
    <message>
        <source>数据库中没有表或查询“%1”。</source>
        <translation>The database has no table or query &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>无法读取数据库结构：%1</source>
        <translation>Cannot read the database structure: %1</translation>
    </message>
    <message>
        <source>与数据库服务器的连接已断开，重新连接没有成功：%1</source>
        <translation>The connection to the database server was lost and reconnecting failed: %1</translation>
    </message>
    <message>
        <source>锁定“%1”</source>
        <translation>locking &quot;%1&quot;</translation>
    </message>
    <message>
        <source>锁定水泵目录</source>
        <translation>locking the pump catalogue</translation>
    </message>
    <message>
        <source>登录数据库服务器失败：用户名或密码不对。请检查连接设置，或密码文件（~/.pgpass）、PGPASSWORD 中的密码。</source>
        <translation>Logging in to the database server failed: wrong user name or password. Check the connection settings, or the password in the password file (~/.pgpass) or PGPASSWORD.</translation>
    </message>
    <message>
        <source>服务器上没有这个数据库。请检查连接设置中的数据库名，或请数据库管理员建立它。</source>
        <translation>The server has no such database. Check the database name in the connection settings, or ask the database administrator to create it.</translation>
    </message>
    <message>
        <source>没有进行这项操作的权限（例如只读的角色不能写入）。请联系数据库管理员。</source>
        <translation>No right to do this (a read-only role cannot write, for example). Ask the database administrator.</translation>
    </message>
    <message>
        <source>数据库服务器已关闭、正在重启或断开了连接。请稍后重试，或联系数据库管理员。</source>
        <translation>The database server has shut down, is restarting or dropped the connection. Retry later, or ask the database administrator.</translation>
    </message>
    <message>
        <source>无法连接数据库服务器。请检查服务器是否在运行、地址和端口是否正确、网络是否正常。</source>
        <translation>Cannot connect to the database server. Check that the server is running, that address and port are right and that the network works.</translation>
    </message>
    <message>
        <source>与其他用户同时进行的操作冲突。请重试。</source>
        <translation>Conflict with another user&apos;s operation at the same time. Please retry.</translation>
    </message>
    <message>
        <source>数据库中缺少所需的表。请先用 tarnwick-cli init-db 建立数据库结构。</source>
        <translation>The database lacks tables it needs. Create the database structure first with tarnwick-cli init-db.</translation>
    </message>
    <message>
        <source>数据库服务器的磁盘已满。请联系数据库管理员。</source>
        <translation>The database server&apos;s disk is full. Ask the database administrator.</translation>
    </message>
    <message>
        <source>请检查数据库服务器后重试。</source>
        <translation>Check the database server and retry.</translation>
    </message>
    <message>
        <source>%1失败：%2%3</source>
        <translation>Error %1: %2%3</translation>
    </message>
    <message>
        <source>数据库正被其他程序使用，等待超时。请稍后再试，或先结束正在写入该数据库的程序。</source>
        <translation>The database is in use by another program and the wait timed out. Retry later, or first end the program writing to the database.</translation>
    </message>
    <message>
        <source>数据库文件或它所在的文件夹不允许写入。请检查权限，或把数据库复制到可以写入的文件夹。</source>
        <translation>The database file or its folder may not be written. Check the permissions, or copy the database to a folder that can be written.</translation>
    </message>
    <message>
        <source>读写数据库文件时出错。请检查磁盘或网络驱动器是否正常，然后重试。</source>
        <translation>Error reading or writing the database file. Check the disk or network drive, then retry.</translation>
    </message>
    <message>
        <source>数据库文件已损坏。请用备份恢复数据库。</source>
        <translation>The database file is damaged. Restore the database from a backup.</translation>
    </message>
    <message>
        <source>磁盘已满。请释放磁盘空间后重试。</source>
        <translation>The disk is full. Free some disk space and retry.</translation>
    </message>
    <message>
        <source>无法打开数据库文件或它的日志文件。请检查文件夹是否存在、是否允许写入。</source>
        <translation>Cannot open the database file or its journal. Check that the folder exists and may be written.</translation>
    </message>
    <message>
        <source>请检查数据库文件后重试。</source>
        <translation>Check the database file and retry.</translation>
    </message>
    <message>
        <source>读取数据库</source>
        <translation>reading the database</translation>
    </message>
    <message>
        <source>开始写入数据库</source>
        <translation>starting to write to the database</translation>
    </message>
    <message>
        <source>提交写入</source>
        <translation>committing the write</translation>
    </message>
    <message>
        <source>无法创建用户数据目录：%1</source>
        <translation>Cannot create the user data folder: %1</translation>
    </message>
    <message>
        <source>无法读取随程序安装的数据库文件：%1</source>
        <translation>Cannot read the database file installed with the program: %1</translation>
    </message>
    <message>
        <source>无法把数据库复制到用户数据目录：%1（%2）</source>
        <translation>Cannot copy the database to the user data folder: %1 (%2)</translation>
    </message>
    <message>
        <source>数据库：%1（由环境变量 TARNWICK_DB 指定）</source>
        <translation>Database: %1 (given by the environment variable TARNWICK_DB)</translation>
    </message>
    <message>
        <source>数据库：%1（由设置文件 %2 指定）</source>
        <translation>Database: %1 (given by the settings file %2)</translation>
    </message>
    <message>
        <source>数据库：%1（由 --db 指定）</source>
        <translation>Database: %1 (given by --db)</translation>
    </message>
    <message>
        <source>数据库：%1（默认：程序目录）</source>
        <translation>Database: %1 (default: the program folder)</translation>
    </message>
    <message>
        <source>数据库：%1（默认：用户数据目录）</source>
        <translation>Database: %1 (default: the user data folder)</translation>
    </message>
    <message>
        <source>为“%1”添加字段“%2”</source>
        <translation>adding the field &quot;%2&quot; to &quot;%1&quot;</translation>
    </message>
    <message>
        <source>读取表的权限</source>
        <translation>reading the tables&apos; rights</translation>
    </message>
    <message>
        <source>读取“%1”的结构</source>
        <translation>reading the structure of &quot;%1&quot;</translation>
    </message>
    <message>
        <source>建立表“%1”</source>
        <translation>creating the table &quot;%1&quot;</translation>
    </message>
    <message>
        <source>建立查询“%1”</source>
        <translation>creating the query &quot;%1&quot;</translation>
    </message>
    <message>
        <source>为“%1”建立索引</source>
        <translation>creating the index of &quot;%1&quot;</translation>
    </message>
    <message>
        <source>写入“%1”第 %2 行</source>
        <translation>writing row %2 of &quot;%1&quot;</translation>
    </message>
    <message>
        <source>源数据库中没有表，没有可复制的内容。</source>
        <translation>The source database has no tables; there is nothing to copy.</translation>
    </message>
    <message>
        <source>目标数据库中已有%1，没有复制任何数据。要替换它们，请加 --replace。</source>
        <translation>The target database already holds %1; no data was copied. To replace them, add --replace.</translation>
    </message>
    <message>
        <source>读取数据库用户</source>
        <translation>reading the database user</translation>
    </message>
    <message>
        <source>删除查询“%1”</source>
        <translation>dropping the query &quot;%1&quot;</translation>
    </message>
    <message>
        <source>删除表“%1”</source>
        <translation>dropping the table &quot;%1&quot;</translation>
    </message>
    <message>
        <source>设定“%1”的序号</source>
        <translation>setting the key sequence of &quot;%1&quot;</translation>
    </message>
    <message>
        <source>恢复表的权限</source>
        <translation>restoring the tables&apos; rights</translation>
    </message>
    <message>
        <source>复制没有完成，目标数据库没有改动。</source>
        <translation>The copy did not complete; the target database is unchanged.</translation>
    </message>
    <message>
        <source>复制后核对失败：“%1”在源数据库中有 %2 行，在目标数据库中有 %3 行%4。</source>
        <translation>Verification after the copy failed: &quot;%1&quot; has %2 rows in the source database and %3 rows in the target%4.</translation>
    </message>
    <message>
        <source>，但内容不同</source>
        <translation>, but different contents</translation>
    </message>
    <message>
        <source>数据库的“%1”中缺少字段%2。</source>
        <translation>The database&apos;s &quot;%1&quot; lacks the field(s) %2.</translation>
    </message>
    <message>
        <source>转换程序异常终止，该 Access 文件可能已损坏。</source>
        <translation>The conversion program ended abnormally; the Access file may be damaged.</translation>
    </message>
    <message>
        <source>转换程序以状态 %1 结束。</source>
        <translation>The conversion program ended with status %1.</translation>
    </message>
    <message>
        <source>转换已中止。</source>
        <translation>Conversion stopped.</translation>
    </message>
    <message>
        <source>%1 不是 Access 数据库，无需转换。</source>
        <translation>%1 is not an Access database; no conversion needed.</translation>
    </message>
    <message>
        <source>无法将 %1 改名为 %2，没有转换。</source>
        <translation>Cannot rename %1 to %2; not converted.</translation>
    </message>
    <message>
        <source>无法启动转换程序 %1。</source>
        <translation>Cannot start the conversion program %1.</translation>
    </message>
    <message>
        <source>已将 Access 数据库转换为本程序的数据库 %1。
原 Access 文件保存为 %2。</source>
        <translation>Converted the Access database to this program&apos;s database %1.
The original Access file is kept as %2.</translation>
    </message>
    <message>
        <source>无法转换 Access 数据库 %1：
%2
原文件没有改动。</source>
        <translation>Cannot convert the Access database %1:
%2
The original file is unchanged.</translation>
    </message>
    <message>
        <source>无法转换 Access 数据库 %1：
%2
原文件保存为 %3。</source>
        <translation>Cannot convert the Access database %1:
%2
The original file is kept as %3.</translation>
    </message>
    <message>
        <source>转换超时，已中止。</source>
        <translation>The conversion timed out and was stopped.</translation>
    </message>
    <message>
        <source>Access 数据库文件已损坏：%1。可先在 Access 中“压缩和修复数据库”后再转换。</source>
        <translation>The Access database file is damaged: %1. Try &quot;Compact and Repair Database&quot; in Access first, then convert.</translation>
    </message>
    <message>
        <source>无法读取文件 %1：%2</source>
        <translation>Cannot read the file %1: %2</translation>
    </message>
    <message>
        <source>文件 %1 不是 Access 数据库。</source>
        <translation>The file %1 is not an Access database.</translation>
    </message>
    <message>
        <source>Access 数据库文件 %1 不完整（长度 %2 字节不是整页），可能在复制或下载时被截断。</source>
        <translation>The Access database file %1 is incomplete (its length of %2 bytes is not whole pages); it may have been cut off while copied or downloaded.</translation>
    </message>
    <message>
        <source>无法打开 Access 数据库 %1：文件头无效或版本不受支持。</source>
        <translation>Cannot open the Access database %1: invalid file header or unsupported version.</translation>
    </message>
    <message>
        <source>不认识的代码页：%1</source>
        <translation>Unknown code page: %1</translation>
    </message>
    <message>
        <source>系统不支持代码页 %1 的转换。</source>
        <translation>The system cannot convert code page %1.</translation>
    </message>
    <message>
        <source>Access 数据库中没有表“%1”。</source>
        <translation>The Access database has no table &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>表“%1”的定义页在文件之外</source>
        <translation>the definition page of table &quot;%1&quot; lies outside the file</translation>
    </message>
    <message>
        <source>无法读取表“%1”的定义</source>
        <translation>cannot read the definition of table &quot;%1&quot;</translation>
    </message>
    <message>
        <source>无法读取表“%1”的字段</source>
        <translation>cannot read the fields of table &quot;%1&quot;</translation>
    </message>
    <message>
        <source>表“%1”的字段“%2”的长度无效</source>
        <translation>invalid length of field &quot;%2&quot; in table &quot;%1&quot;</translation>
    </message>
    <message>
        <source>表“%1”第 %2 行</source>
        <translation>table &quot;%1&quot; row %2</translation>
    </message>
    <message>
        <source>表“%1”应有 %2 行，实际读到 %3 行</source>
        <translation>table &quot;%1&quot; should have %2 rows, %3 were read</translation>
    </message>
    <message>
        <source>表“%1”没有字段。</source>
        <translation>Table &quot;%1&quot; has no fields.</translation>
    </message>
    <message>
        <source>无法建立表“%1”：%2</source>
        <translation>Cannot create the table &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>无法写入表“%1”：%2</source>
        <translation>Cannot write the table &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>无法写入表“%1”第 %2 行：%3</source>
        <translation>Cannot write row %2 of the table &quot;%1&quot;: %3</translation>
    </message>
    <message>
        <source>无法写入数据库。</source>
        <translation>Cannot write to the database.</translation>
    </message>
    <message>
        <source>缺少表“%1”</source>
        <translation>table &quot;%1&quot; missing</translation>
    </message>
    <message>
        <source>表“%1”缺少字段%2</source>
        <translation>table &quot;%1&quot; lacks the field(s) %2</translation>
    </message>
    <message>
        <source>%1 不是本程序的数据库，没有转换：
</source>
        <translation>%1 is not a database of this program; not converted:
</translation>
    </message>
    <message>
        <source>未写入任何文件。</source>
        <translation>No file was written.</translation>
    </message>
    <message>
        <source>已将 %1数据库 %2 转换为 %3。
</source>
        <translation>Converted the %1database %2 to %3.
</translation>
    </message>
    <message>
        <source>文字编码：%1
</source>
        <translation>Text encoding: %1
</translation>
    </message>
    <message>
        <source>  表“%1”：%2 行</source>
        <translation>  table &quot;%1&quot;: %2 rows</translation>
    </message>
    <message>
        <source>，%1 幅图片</source>
        <translation>, %1 pictures</translation>
    </message>
    <message>
        <source>，%1 个其他 OLE 对象（按原样保存）</source>
        <translation>, %1 other OLE objects (kept as they are)</translation>
    </message>
    <message>
        <source>共 %1 张表，%2 行，%3 幅图片。
</source>
        <translation>%1 tables, %2 rows, %3 pictures in all.
</translation>
    </message>
    <message>
        <source>已按“%1”重建查询“%2”。
</source>
        <translation>Rebuilt the query &quot;%2&quot; from &quot;%1&quot;.
</translation>
    </message>
    <message>
        <source>水泵目录中有以下不合目录规则之处（已照原样转换；设计和校核计算会跳过无法使用的水泵）：
  </source>
        <translation>The pump catalogue breaks the catalogue rules in these places (converted as it is; design and check skip the pumps that cannot be used):
  </translation>
    </message>
    <message>
        <source>有 %1 个字节无法按文字编码解码，已用“�”代替。
</source>
        <translation>%1 bytes could not be decoded in the text encoding and were replaced by &quot;�&quot;.
</translation>
    </message>
    <message>
        <source>有 %1 个日期超出 Access 的日期范围，按原始数值保存。
</source>
        <translation>%1 dates lie outside Access&apos;s date range and were kept as raw numbers.
</translation>
    </message>
    <message>
        <source>的字段“%1”超出了数据页</source>
        <translation>, field &quot;%1&quot; runs beyond the data page</translation>
    </message>
    <message>
        <source>的字段“%1”不完整</source>
        <translation>, field &quot;%1&quot; is incomplete</translation>
    </message>
    <message>
        <source>的字段“%1”：</source>
        <translation>, field &quot;%1&quot;: </translation>
    </message>
    <message>
        <source>……共 %1 处错误，只列出前 %2 处。</source>
        <translation>…%1 errors in all, only the first %2 listed.</translation>
    </message>
    <message>
        <source>表头中有不认识的列“%1”。</source>
        <translation>Unknown column &quot;%1&quot; in the header.</translation>
    </message>
    <message>
        <source>表头中“%1”出现了两次。</source>
        <translation>&quot;%1&quot; appears twice in the header.</translation>
    </message>
    <message>
        <source>表头中缺少列“%1”。</source>
        <translation>Column &quot;%1&quot; missing from the header.</translation>
    </message>
    <message>
        <source>文件是空的，第一行应为表头：%1</source>
        <translation>The file is empty; the first line should be the header: %1</translation>
    </message>
    <message>
        <source>缺少数值。</source>
        <translation>Figure missing.</translation>
    </message>
    <message>
        <source>“%1”不是整数。</source>
        <translation>&quot;%1&quot; is not a whole number.</translation>
    </message>
    <message>
        <source>“%1”不是数字。</source>
        <translation>&quot;%1&quot; is not a number.</translation>
    </message>
    <message>
        <source>有 %1 个字段，表头有 %2 个。</source>
        <translation>%1 fields, but the header has %2.</translation>
    </message>
    <message>
        <source>数据库中没有表“%1”。</source>
        <translation>The database has no table &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>“%1”第 %2 行的“%3”既不是数字也不是文字，无法导出。</source>
        <translation>&quot;%3&quot; on row %2 of &quot;%1&quot; is neither a number nor text and cannot be exported.</translation>
    </message>
    <message>
        <source>序号 %1 在数据库中已经使用。</source>
        <translation>Key %1 is already used in the database.</translation>
    </message>
    <message>
        <source>要替换整个水泵目录，请使用 --replace。</source>
        <translation>To replace the whole pump catalogue, use --replace.</translation>
    </message>
    <message>
        <source>清空“%1”</source>
        <translation>emptying &quot;%1&quot;</translation>
    </message>
    <message>
        <source>没有导入任何数据。</source>
        <translation>Nothing was imported.</translation>
    </message>
    <message>
        <source>
mdbtools 的提示：</source>
        <translation>
mdbtools said: </translation>
    </message>
    <message>
        <source>目标文件 %1 已存在，不会覆盖它。</source>
        <translation>The target file %1 exists already and will not be overwritten.</translation>
    </message>
    <message>
        <source>目标文件夹 %1 不存在。</source>
        <translation>The target folder %1 does not exist.</translation>
    </message>
    <message>
        <source>无法在 %1 中创建文件：%2</source>
        <translation>Cannot create a file in %1: %2</translation>
    </message>
    <message>
        <source>无法创建数据库文件：%1</source>
        <translation>Cannot create the database file: %1</translation>
    </message>
    <message>
        <source>无法将数据库文件写入磁盘。</source>
        <translation>Cannot write the database file to disk.</translation>
    </message>
    <message>
        <source>无法将数据库文件改名为 %1。</source>
        <translation>Cannot rename the database file to %1.</translation>
    </message>
    <message>
        <source>读取文件失败：%1</source>
        <translation>Reading the file failed: %1</translation>
    </message>
    <message>
        <source>文件是 UTF-16 编码，请另存为 UTF-8 或 GBK 编码的 CSV 文件。</source>
        <translation>The file is encoded in UTF-16; save it as a CSV file in UTF-8 or GBK.</translation>
    </message>
    <message>
        <source>第 %1 行：文件以 UTF-8 标记开头，却含有无效的 UTF-8 字节。</source>
        <translation>Line %1: the file starts with a UTF-8 mark but holds invalid UTF-8 bytes.</translation>
    </message>
    <message>
        <source>系统不支持 GBK 编码转换。</source>
        <translation>The system cannot convert GBK.</translation>
    </message>
    <message>
        <source>第 %1 行：文件既不是 UTF-8 编码，也不是 GBK 编码。</source>
        <translation>Line %1: the file is neither UTF-8 nor GBK.</translation>
    </message>
    <message>
        <source>“%1”尚未打开。</source>
        <translation>&quot;%1&quot; is not open.</translation>
    </message>
    <message>
        <source>读取“%1”失败：表的结构已改变。</source>
        <translation>Reading &quot;%1&quot; failed: the table&apos;s structure has changed.</translation>
    </message>
    <message>
        <source>“%1”中没有字段“%2”。</source>
        <translation>&quot;%1&quot; has no field &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>读取“%1”的字段“%2”时已没有当前记录。</source>
        <translation>No current row when reading field &quot;%2&quot; of &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>“%1”的当前记录已被删除。</source>
        <translation>The current row of &quot;%1&quot; has been deleted.</translation>
    </message>
    <message>
        <source>“%1”是查询，不能添加记录。</source>
        <translation>&quot;%1&quot; is a query; rows cannot be added.</translation>
    </message>
    <message>
        <source>删除“%1”的记录时已没有当前记录。</source>
        <translation>No current row when deleting a row of &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>“%1”是查询，不能删除记录。</source>
        <translation>&quot;%1&quot; is a query; rows cannot be deleted.</translation>
    </message>
    <message>
        <source>删除“%1”的记录</source>
        <translation>deleting a row of &quot;%1&quot;</translation>
    </message>
    <message>
        <source>建立序列“%1”</source>
        <translation>creating the sequence &quot;%1&quot;</translation>
    </message>
    <message>
        <source>设定“%1”</source>
        <translation>setting &quot;%1&quot;</translation>
    </message>
    <message>
        <source>程序中缺少数据库结构。</source>
        <translation>The program lacks the database structure.</translation>
    </message>
    <message>
        <source>建立数据库结构</source>
        <translation>creating the database structure</translation>
    </message>
    <message>
        <source>角色和权限只能在 PostgreSQL 服务器上设定。</source>
        <translation>Roles and rights can be set only on a PostgreSQL server.</translation>
    </message>
    <message>
        <source>设定角色和权限</source>
        <translation>setting roles and rights</translation>
    </message>
    <message>
        <source>服务器上的“%1”“%2”是旧版本建立的，缺少字段“%3”或运行序号。请数据库管理员运行 tarnwick-cli init-db 数据库地址 --roles 更新数据库。</source>
        <translation>&quot;%1&quot; &quot;%2&quot; on the server was made by an earlier version and lacks the field &quot;%3&quot; or the run number. Ask the database administrator to run tarnwick-cli init-db DATABASE-ADDRESS --roles to bring the database up to date.</translation>
    </message>
    <message>
        <source>保存变速选型结果失败：%1</source>
        <translation>Saving the variable-speed results failed: %1</translation>
    </message>
</context>
</TS>
