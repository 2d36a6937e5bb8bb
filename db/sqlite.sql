-- Lintara database for the local file (SQLite / SQLCipher).
-- Text sizes, whole numbers, amounts, dates and yes/no values are checked here, because SQLite
-- itself stores any value in any column.

CREATE TABLE H_出租表 (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    收件号 VARCHAR(10) CHECK (typeof(收件号) IN ('text', 'null') AND length(收件号) <= 10),
    房屋地址 VARCHAR(100) CHECK (typeof(房屋地址) IN ('text', 'null') AND length(房屋地址) <= 100),
    建筑面积 INTEGER CHECK (typeof(建筑面积) IN ('integer', 'null')),
    房型 VARCHAR(20) CHECK (typeof(房型) IN ('text', 'null') AND length(房型) <= 20),
    朝向 VARCHAR(20) CHECK (typeof(朝向) IN ('text', 'null') AND length(朝向) <= 20),
    楼层 INTEGER CHECK (typeof(楼层) IN ('integer', 'null')),
    租金 DECIMAL(19,4) CHECK (typeof(租金) IN ('integer', 'real', 'null')),
    区域 VARCHAR(20) CHECK (typeof(区域) IN ('text', 'null') AND length(区域) <= 20),
    竣工日期 DATE CHECK (竣工日期 IS NULL OR (typeof(竣工日期) = 'text' AND length(竣工日期) = 10 AND date(竣工日期, '+0 days') IS 竣工日期)),
    产权证号 VARCHAR(50) CHECK (typeof(产权证号) IN ('text', 'null') AND length(产权证号) <= 50),
    房屋设施 VARCHAR(200) CHECK (typeof(房屋设施) IN ('text', 'null') AND length(房屋设施) <= 200),
    装修情况 VARCHAR(100) CHECK (typeof(装修情况) IN ('text', 'null') AND length(装修情况) <= 100),
    交通情况 VARCHAR(100) CHECK (typeof(交通情况) IN ('text', 'null') AND length(交通情况) <= 100),
    周围环境 VARCHAR(200) CHECK (typeof(周围环境) IN ('text', 'null') AND length(周围环境) <= 200),
    联系人 VARCHAR(50) CHECK (typeof(联系人) IN ('text', 'null') AND length(联系人) <= 50),
    联系电话一 VARCHAR(40) CHECK (typeof(联系电话一) IN ('text', 'null') AND length(联系电话一) <= 40),
    联系电话二 VARCHAR(40) CHECK (typeof(联系电话二) IN ('text', 'null') AND length(联系电话二) <= 40),
    联系人身份证号 VARCHAR(17) CHECK (typeof(联系人身份证号) IN ('text', 'null') AND length(联系人身份证号) <= 17),
    出租方备注 VARCHAR(200) CHECK (typeof(出租方备注) IN ('text', 'null') AND length(出租方备注) <= 200),
    编辑人 VARCHAR(20) CHECK (typeof(编辑人) IN ('text', 'null') AND length(编辑人) <= 20),
    编辑日期 DATE CHECK (编辑日期 IS NULL OR (typeof(编辑日期) = 'text' AND length(编辑日期) = 10 AND date(编辑日期, '+0 days') IS 编辑日期)),
    承租人姓名 VARCHAR(20) CHECK (typeof(承租人姓名) IN ('text', 'null') AND length(承租人姓名) <= 20),
    承租人联系电话 VARCHAR(20) CHECK (typeof(承租人联系电话) IN ('text', 'null') AND length(承租人联系电话) <= 20),
    承租人身份证号码 VARCHAR(20) CHECK (typeof(承租人身份证号码) IN ('text', 'null') AND length(承租人身份证号码) <= 20),
    承租价格 DECIMAL(19,4) CHECK (typeof(承租价格) IN ('integer', 'real', 'null')),
    承租日期 DATE CHECK (承租日期 IS NULL OR (typeof(承租日期) = 'text' AND length(承租日期) = 10 AND date(承租日期, '+0 days') IS 承租日期)),
    承租截止日期 DATE CHECK (承租截止日期 IS NULL OR (typeof(承租截止日期) = 'text' AND length(承租截止日期) = 10 AND date(承租截止日期, '+0 days') IS 承租截止日期)),
    承租方备注 VARCHAR(200) CHECK (typeof(承租方备注) IN ('text', 'null') AND length(承租方备注) <= 200),
    状态位 VARCHAR(6) CHECK (typeof(状态位) IN ('text', 'null') AND length(状态位) <= 6),
    受理人 VARCHAR(20) CHECK (typeof(受理人) IN ('text', 'null') AND length(受理人) <= 20),
    受理日期 DATE CHECK (受理日期 IS NULL OR (typeof(受理日期) = 'text' AND length(受理日期) = 10 AND date(受理日期, '+0 days') IS 受理日期)),
    合同号 VARCHAR(20) CHECK (typeof(合同号) IN ('text', 'null') AND length(合同号) <= 20),
    佣金金额 DECIMAL(19,4) CHECK (typeof(佣金金额) IN ('integer', 'real', 'null')),
    跟踪报警标志 BOOLEAN DEFAULT 0 CHECK (跟踪报警标志 IN (0, 1)),
    跟踪报警日期 DATE CHECK (跟踪报警日期 IS NULL OR (typeof(跟踪报警日期) = 'text' AND length(跟踪报警日期) = 10 AND date(跟踪报警日期, '+0 days') IS 跟踪报警日期))
);

CREATE TABLE H_出售表 (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    收件号 VARCHAR(10) CHECK (typeof(收件号) IN ('text', 'null') AND length(收件号) <= 10),
    房屋地址 VARCHAR(100) CHECK (typeof(房屋地址) IN ('text', 'null') AND length(房屋地址) <= 100),
    建筑面积 INTEGER CHECK (typeof(建筑面积) IN ('integer', 'null')),
    房型 VARCHAR(20) CHECK (typeof(房型) IN ('text', 'null') AND length(房型) <= 20),
    朝向 VARCHAR(20) CHECK (typeof(朝向) IN ('text', 'null') AND length(朝向) <= 20),
    楼层 INTEGER CHECK (typeof(楼层) IN ('integer', 'null')),
    产别 VARCHAR(20) CHECK (typeof(产别) IN ('text', 'null') AND length(产别) <= 20),
    售价 DECIMAL(19,4) CHECK (typeof(售价) IN ('integer', 'real', 'null')),
    区域 VARCHAR(20) CHECK (typeof(区域) IN ('text', 'null') AND length(区域) <= 20),
    竣工日期 DATE CHECK (竣工日期 IS NULL OR (typeof(竣工日期) = 'text' AND length(竣工日期) = 10 AND date(竣工日期, '+0 days') IS 竣工日期)),
    使用年限 INTEGER CHECK (typeof(使用年限) IN ('integer', 'null')),
    产权证号 VARCHAR(50) CHECK (typeof(产权证号) IN ('text', 'null') AND length(产权证号) <= 50),
    房屋设施 VARCHAR(200) CHECK (typeof(房屋设施) IN ('text', 'null') AND length(房屋设施) <= 200),
    装修情况 VARCHAR(100) CHECK (typeof(装修情况) IN ('text', 'null') AND length(装修情况) <= 100),
    交通情况 VARCHAR(100) CHECK (typeof(交通情况) IN ('text', 'null') AND length(交通情况) <= 100),
    周围环境 VARCHAR(200) CHECK (typeof(周围环境) IN ('text', 'null') AND length(周围环境) <= 200),
    联系人 VARCHAR(50) CHECK (typeof(联系人) IN ('text', 'null') AND length(联系人) <= 50),
    联系电话一 VARCHAR(40) CHECK (typeof(联系电话一) IN ('text', 'null') AND length(联系电话一) <= 40),
    联系电话二 VARCHAR(40) CHECK (typeof(联系电话二) IN ('text', 'null') AND length(联系电话二) <= 40),
    联系人身份证号 VARCHAR(17) CHECK (typeof(联系人身份证号) IN ('text', 'null') AND length(联系人身份证号) <= 17),
    出租方备注 VARCHAR(200) CHECK (typeof(出租方备注) IN ('text', 'null') AND length(出租方备注) <= 200),
    编辑人 VARCHAR(20) CHECK (typeof(编辑人) IN ('text', 'null') AND length(编辑人) <= 20),
    编辑日期 DATE CHECK (编辑日期 IS NULL OR (typeof(编辑日期) = 'text' AND length(编辑日期) = 10 AND date(编辑日期, '+0 days') IS 编辑日期)),
    购买人姓名 VARCHAR(20) CHECK (typeof(购买人姓名) IN ('text', 'null') AND length(购买人姓名) <= 20),
    购买人联系电话 VARCHAR(20) CHECK (typeof(购买人联系电话) IN ('text', 'null') AND length(购买人联系电话) <= 20),
    购买人身份证号码 VARCHAR(20) CHECK (typeof(购买人身份证号码) IN ('text', 'null') AND length(购买人身份证号码) <= 20),
    购买价格 DECIMAL(19,4) CHECK (typeof(购买价格) IN ('integer', 'real', 'null')),
    购买日期 DATE CHECK (购买日期 IS NULL OR (typeof(购买日期) = 'text' AND length(购买日期) = 10 AND date(购买日期, '+0 days') IS 购买日期)),
    购买方备注 VARCHAR(200) CHECK (typeof(购买方备注) IN ('text', 'null') AND length(购买方备注) <= 200),
    状态位 VARCHAR(6) CHECK (typeof(状态位) IN ('text', 'null') AND length(状态位) <= 6),
    受理人 VARCHAR(20) CHECK (typeof(受理人) IN ('text', 'null') AND length(受理人) <= 20),
    受理日期 DATE CHECK (受理日期 IS NULL OR (typeof(受理日期) = 'text' AND length(受理日期) = 10 AND date(受理日期, '+0 days') IS 受理日期)),
    合同号 VARCHAR(20) CHECK (typeof(合同号) IN ('text', 'null') AND length(合同号) <= 20),
    佣金金额 DECIMAL(19,4) CHECK (typeof(佣金金额) IN ('integer', 'real', 'null'))
);

CREATE TABLE H_求租表 (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    收件号 VARCHAR(10) CHECK (typeof(收件号) IN ('text', 'null') AND length(收件号) <= 10),
    房屋地址 VARCHAR(100) CHECK (typeof(房屋地址) IN ('text', 'null') AND length(房屋地址) <= 100),
    建筑面积 INTEGER CHECK (typeof(建筑面积) IN ('integer', 'null')),
    房型 VARCHAR(20) CHECK (typeof(房型) IN ('text', 'null') AND length(房型) <= 20),
    朝向 VARCHAR(20) CHECK (typeof(朝向) IN ('text', 'null') AND length(朝向) <= 20),
    楼层 INTEGER CHECK (typeof(楼层) IN ('integer', 'null')),
    租金 DECIMAL(19,4) CHECK (typeof(租金) IN ('integer', 'real', 'null')),
    区域 VARCHAR(20) CHECK (typeof(区域) IN ('text', 'null') AND length(区域) <= 20),
    房屋设施 VARCHAR(200) CHECK (typeof(房屋设施) IN ('text', 'null') AND length(房屋设施) <= 200),
    装修情况 VARCHAR(100) CHECK (typeof(装修情况) IN ('text', 'null') AND length(装修情况) <= 100),
    交通情况 VARCHAR(100) CHECK (typeof(交通情况) IN ('text', 'null') AND length(交通情况) <= 100),
    周围环境 VARCHAR(200) CHECK (typeof(周围环境) IN ('text', 'null') AND length(周围环境) <= 200),
    联系人 VARCHAR(50) CHECK (typeof(联系人) IN ('text', 'null') AND length(联系人) <= 50),
    联系电话一 VARCHAR(40) CHECK (typeof(联系电话一) IN ('text', 'null') AND length(联系电话一) <= 40),
    联系电话二 VARCHAR(40) CHECK (typeof(联系电话二) IN ('text', 'null') AND length(联系电话二) <= 40),
    联系人身份证号 VARCHAR(17) CHECK (typeof(联系人身份证号) IN ('text', 'null') AND length(联系人身份证号) <= 17),
    备注 VARCHAR(200) CHECK (typeof(备注) IN ('text', 'null') AND length(备注) <= 200),
    编辑人 VARCHAR(20) CHECK (typeof(编辑人) IN ('text', 'null') AND length(编辑人) <= 20),
    编辑日期 DATE CHECK (编辑日期 IS NULL OR (typeof(编辑日期) = 'text' AND length(编辑日期) = 10 AND date(编辑日期, '+0 days') IS 编辑日期))
);

CREATE TABLE H_求购表 (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    收件号 VARCHAR(10) CHECK (typeof(收件号) IN ('text', 'null') AND length(收件号) <= 10),
    房屋地址 VARCHAR(100) CHECK (typeof(房屋地址) IN ('text', 'null') AND length(房屋地址) <= 100),
    建筑面积 INTEGER CHECK (typeof(建筑面积) IN ('integer', 'null')),
    房型 VARCHAR(20) CHECK (typeof(房型) IN ('text', 'null') AND length(房型) <= 20),
    朝向 VARCHAR(20) CHECK (typeof(朝向) IN ('text', 'null') AND length(朝向) <= 20),
    楼层 INTEGER CHECK (typeof(楼层) IN ('integer', 'null')),
    售价 DECIMAL(19,4) CHECK (typeof(售价) IN ('integer', 'real', 'null')),
    区域 VARCHAR(20) CHECK (typeof(区域) IN ('text', 'null') AND length(区域) <= 20),
    房屋设施 VARCHAR(200) CHECK (typeof(房屋设施) IN ('text', 'null') AND length(房屋设施) <= 200),
    装修情况 VARCHAR(100) CHECK (typeof(装修情况) IN ('text', 'null') AND length(装修情况) <= 100),
    交通情况 VARCHAR(100) CHECK (typeof(交通情况) IN ('text', 'null') AND length(交通情况) <= 100),
    周围环境 VARCHAR(200) CHECK (typeof(周围环境) IN ('text', 'null') AND length(周围环境) <= 200),
    联系人 VARCHAR(50) CHECK (typeof(联系人) IN ('text', 'null') AND length(联系人) <= 50),
    联系电话一 VARCHAR(40) CHECK (typeof(联系电话一) IN ('text', 'null') AND length(联系电话一) <= 40),
    联系电话二 VARCHAR(40) CHECK (typeof(联系电话二) IN ('text', 'null') AND length(联系电话二) <= 40),
    联系人身份证号 VARCHAR(17) CHECK (typeof(联系人身份证号) IN ('text', 'null') AND length(联系人身份证号) <= 17),
    备注 VARCHAR(200) CHECK (typeof(备注) IN ('text', 'null') AND length(备注) <= 200),
    编辑人 VARCHAR(20) CHECK (typeof(编辑人) IN ('text', 'null') AND length(编辑人) <= 20),
    编辑日期 DATE CHECK (编辑日期 IS NULL OR (typeof(编辑日期) = 'text' AND length(编辑日期) = 10 AND date(编辑日期, '+0 days') IS 编辑日期))
);

CREATE TABLE S_用户表 (
    编号 INTEGER PRIMARY KEY AUTOINCREMENT,
    用户代码 VARCHAR(20) CHECK (typeof(用户代码) IN ('text', 'null') AND length(用户代码) <= 20),
    用户口令 VARCHAR(128) CHECK (typeof(用户口令) IN ('text', 'null') AND length(用户口令) <= 128),
    用户姓名 VARCHAR(20) CHECK (typeof(用户姓名) IN ('text', 'null') AND length(用户姓名) <= 20),
    类型 VARCHAR(10) CHECK (typeof(类型) IN ('text', 'null') AND length(类型) <= 10)
);

CREATE TABLE S_字典 (
    TypeName VARCHAR(20) NOT NULL CHECK (typeof(TypeName) IN ('text', 'null') AND length(TypeName) <= 20),
    Value VARCHAR(50) NOT NULL CHECK (typeof(Value) IN ('text', 'null') AND length(Value) <= 50)
);

CREATE TABLE S_参数表 (
    编码 VARCHAR(20) NOT NULL CHECK (typeof(编码) IN ('text', 'null') AND length(编码) <= 20),
    参数值 VARCHAR(50) CHECK (typeof(参数值) IN ('text', 'null') AND length(参数值) <= 50),
    PRIMARY KEY (编码)
);

CREATE TABLE S_收件单号 (
    Billtype VARCHAR(10) NOT NULL CHECK (typeof(Billtype) IN ('text', 'null') AND length(Billtype) <= 10),
    BillNo INTEGER CHECK (typeof(BillNo) IN ('integer', 'null')),
    PRIMARY KEY (Billtype)
);

CREATE TABLE S_企业信息 (
    编码 VARCHAR(10) NOT NULL CHECK (typeof(编码) IN ('text', 'null') AND length(编码) <= 10),
    企业名称 VARCHAR(100) CHECK (typeof(企业名称) IN ('text', 'null') AND length(企业名称) <= 100),
    企业地址 VARCHAR(100) CHECK (typeof(企业地址) IN ('text', 'null') AND length(企业地址) <= 100),
    联系电话 VARCHAR(40) CHECK (typeof(联系电话) IN ('text', 'null') AND length(联系电话) <= 40),
    网址 VARCHAR(100) CHECK (typeof(网址) IN ('text', 'null') AND length(网址) <= 100),
    电子邮件 VARCHAR(100) CHECK (typeof(电子邮件) IN ('text', 'null') AND length(电子邮件) <= 100),
    PRIMARY KEY (编码)
);

CREATE INDEX IX_出租表_编辑日期 ON H_出租表 (编辑日期);
CREATE INDEX IX_出租表_跟踪报警日期 ON H_出租表 (跟踪报警日期);
CREATE INDEX IX_出售表_编辑日期 ON H_出售表 (编辑日期);
CREATE INDEX IX_求租表_编辑日期 ON H_求租表 (编辑日期);
CREATE INDEX IX_求购表_编辑日期 ON H_求购表 (编辑日期);
CREATE INDEX IX_字典_TypeName ON S_字典 (TypeName);

BEGIN;
-- Bill-number counters: "A" lease, "B" sale, "E" rent and purchase demands.
INSERT INTO S_收件单号 (Billtype, BillNo) VALUES ('A', 1);
INSERT INTO S_收件单号 (Billtype, BillNo) VALUES ('B', 1);
INSERT INTO S_收件单号 (Billtype, BillNo) VALUES ('E', 1);

-- System parameters; the program updates them but never inserts them.
INSERT INTO S_参数表 (编码, 参数值) VALUES ('PrintModal', 'Preview');
INSERT INTO S_参数表 (编码, 参数值) VALUES ('CCYJ', '2');
INSERT INTO S_参数表 (编码, 参数值) VALUES ('CZYJ', '50');
INSERT INTO S_参数表 (编码, 参数值) VALUES ('QZQGYJ', '10');
INSERT INTO S_参数表 (编码, 参数值) VALUES ('AJYJ', '1');
INSERT INTO S_参数表 (编码, 参数值) VALUES ('DLXSYJ', '3');
INSERT INTO S_参数表 (编码, 参数值) VALUES ('DBZQF', '1');
INSERT INTO S_参数表 (编码, 参数值) VALUES ('DisPlayTel', '1');
INSERT INTO S_参数表 (编码, 参数值) VALUES ('SchemaVersion', '1');

-- The agency's company profile.
INSERT INTO S_企业信息 (编码, 企业名称, 企业地址, 联系电话, 网址, 电子邮件) VALUES ('01', '恒信房屋中介服务有限公司', '杭州市西湖区文三路168号', '0571-88123456', 'http://www.hengxinfw.com.cn', 'service@hengxinfw.com.cn');

-- Pick lists.
INSERT INTO S_字典 (TypeName, Value) VALUES ('区域', '西湖区');
INSERT INTO S_字典 (TypeName, Value) VALUES ('区域', '上城区');
INSERT INTO S_字典 (TypeName, Value) VALUES ('区域', '拱墅区');
INSERT INTO S_字典 (TypeName, Value) VALUES ('区域', '滨江区');
INSERT INTO S_字典 (TypeName, Value) VALUES ('区域', '萧山区');
INSERT INTO S_字典 (TypeName, Value) VALUES ('区域', '余杭区');
INSERT INTO S_字典 (TypeName, Value) VALUES ('区域', '临平区');
INSERT INTO S_字典 (TypeName, Value) VALUES ('区域', '钱塘区');
INSERT INTO S_字典 (TypeName, Value) VALUES ('房型', '一室零厅');
INSERT INTO S_字典 (TypeName, Value) VALUES ('房型', '一室一厅');
INSERT INTO S_字典 (TypeName, Value) VALUES ('房型', '两室一厅');
INSERT INTO S_字典 (TypeName, Value) VALUES ('房型', '两室两厅');
INSERT INTO S_字典 (TypeName, Value) VALUES ('房型', '三室一厅');
INSERT INTO S_字典 (TypeName, Value) VALUES ('房型', '三室两厅');
INSERT INTO S_字典 (TypeName, Value) VALUES ('房型', '四室两厅');
INSERT INTO S_字典 (TypeName, Value) VALUES ('房型', '复式');
INSERT INTO S_字典 (TypeName, Value) VALUES ('房型', '别墅');
INSERT INTO S_字典 (TypeName, Value) VALUES ('房型', '店面');
INSERT INTO S_字典 (TypeName, Value) VALUES ('朝向', '朝南');
INSERT INTO S_字典 (TypeName, Value) VALUES ('朝向', '朝北');
INSERT INTO S_字典 (TypeName, Value) VALUES ('朝向', '朝东');
INSERT INTO S_字典 (TypeName, Value) VALUES ('朝向', '朝西');
INSERT INTO S_字典 (TypeName, Value) VALUES ('朝向', '南北');
INSERT INTO S_字典 (TypeName, Value) VALUES ('朝向', '东西');
INSERT INTO S_字典 (TypeName, Value) VALUES ('朝向', '东南');
INSERT INTO S_字典 (TypeName, Value) VALUES ('朝向', '西南');
INSERT INTO S_字典 (TypeName, Value) VALUES ('装修情况', '毛坯');
INSERT INTO S_字典 (TypeName, Value) VALUES ('装修情况', '简单装修');
INSERT INTO S_字典 (TypeName, Value) VALUES ('装修情况', '中等装修');
INSERT INTO S_字典 (TypeName, Value) VALUES ('装修情况', '精装修');
INSERT INTO S_字典 (TypeName, Value) VALUES ('装修情况', '豪华装修');
INSERT INTO S_字典 (TypeName, Value) VALUES ('房屋设施', '水');
INSERT INTO S_字典 (TypeName, Value) VALUES ('房屋设施', '电');
INSERT INTO S_字典 (TypeName, Value) VALUES ('房屋设施', '煤气');
INSERT INTO S_字典 (TypeName, Value) VALUES ('房屋设施', '暖气');
INSERT INTO S_字典 (TypeName, Value) VALUES ('房屋设施', '有线电视');
INSERT INTO S_字典 (TypeName, Value) VALUES ('房屋设施', '宽带');
INSERT INTO S_字典 (TypeName, Value) VALUES ('房屋设施', '电话');
INSERT INTO S_字典 (TypeName, Value) VALUES ('房屋设施', '空调');
INSERT INTO S_字典 (TypeName, Value) VALUES ('房屋设施', '热水器');
INSERT INTO S_字典 (TypeName, Value) VALUES ('房屋设施', '洗衣机');
INSERT INTO S_字典 (TypeName, Value) VALUES ('房屋设施', '冰箱');
INSERT INTO S_字典 (TypeName, Value) VALUES ('房屋设施', '家具');
INSERT INTO S_字典 (TypeName, Value) VALUES ('周围环境', '学校');
INSERT INTO S_字典 (TypeName, Value) VALUES ('周围环境', '幼儿园');
INSERT INTO S_字典 (TypeName, Value) VALUES ('周围环境', '医院');
INSERT INTO S_字典 (TypeName, Value) VALUES ('周围环境', '超市');
INSERT INTO S_字典 (TypeName, Value) VALUES ('周围环境', '菜场');
INSERT INTO S_字典 (TypeName, Value) VALUES ('周围环境', '银行');
INSERT INTO S_字典 (TypeName, Value) VALUES ('周围环境', '公园');
INSERT INTO S_字典 (TypeName, Value) VALUES ('周围环境', '公交站');
INSERT INTO S_字典 (TypeName, Value) VALUES ('周围环境', '地铁站');
INSERT INTO S_字典 (TypeName, Value) VALUES ('周围环境', '商场');
INSERT INTO S_字典 (TypeName, Value) VALUES ('产权证号头', '杭房权证西字第');
INSERT INTO S_字典 (TypeName, Value) VALUES ('产权证号头', '杭房权证上字第');
INSERT INTO S_字典 (TypeName, Value) VALUES ('产权证号头', '杭房权证拱字第');
INSERT INTO S_字典 (TypeName, Value) VALUES ('产权证号头', '杭房权证滨字第');
INSERT INTO S_字典 (TypeName, Value) VALUES ('产权证号头', '杭房权证萧字第');
INSERT INTO S_字典 (TypeName, Value) VALUES ('产权证号头', '杭房权证余字第');
INSERT INTO S_字典 (TypeName, Value) VALUES ('产别', '商品房');
INSERT INTO S_字典 (TypeName, Value) VALUES ('产别', '房改房');
INSERT INTO S_字典 (TypeName, Value) VALUES ('产别', '经济适用房');
INSERT INTO S_字典 (TypeName, Value) VALUES ('产别', '私房');
INSERT INTO S_字典 (TypeName, Value) VALUES ('产别', '公房');
INSERT INTO S_字典 (TypeName, Value) VALUES ('产别', '集资房');

COMMIT;
