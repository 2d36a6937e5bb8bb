-- Lintara database on PostgreSQL. Names are written unquoted, as the program writes them,
-- so PostgreSQL folds their Latin letters to lower case ("ID" is stored as id).

CREATE TABLE H_出租表 (
    ID serial PRIMARY KEY,
    收件号 varchar(10),
    房屋地址 varchar(100),
    建筑面积 integer,
    房型 varchar(20),
    朝向 varchar(20),
    楼层 integer,
    租金 numeric(19,4),
    区域 varchar(20),
    竣工日期 date,
    产权证号 varchar(50),
    房屋设施 varchar(200),
    装修情况 varchar(100),
    交通情况 varchar(100),
    周围环境 varchar(200),
    联系人 varchar(50),
    联系电话一 varchar(40),
    联系电话二 varchar(40),
    联系人身份证号 varchar(17),
    出租方备注 varchar(200),
    编辑人 varchar(20),
    编辑日期 date,
    承租人姓名 varchar(20),
    承租人联系电话 varchar(20),
    承租人身份证号码 varchar(20),
    承租价格 numeric(19,4),
    承租日期 date,
    承租截止日期 date,
    承租方备注 varchar(200),
    状态位 varchar(6),
    受理人 varchar(20),
    受理日期 date,
    合同号 varchar(20),
    佣金金额 numeric(19,4),
    跟踪报警标志 boolean DEFAULT false,
    跟踪报警日期 date
);

CREATE TABLE H_出售表 (
    ID serial PRIMARY KEY,
    收件号 varchar(10),
    房屋地址 varchar(100),
    建筑面积 integer,
    房型 varchar(20),
    朝向 varchar(20),
    楼层 integer,
    产别 varchar(20),
    售价 numeric(19,4),
    区域 varchar(20),
    竣工日期 date,
    使用年限 integer,
    产权证号 varchar(50),
    房屋设施 varchar(200),
    装修情况 varchar(100),
    交通情况 varchar(100),
    周围环境 varchar(200),
    联系人 varchar(50),
    联系电话一 varchar(40),
    联系电话二 varchar(40),
    联系人身份证号 varchar(17),
    出租方备注 varchar(200),
    编辑人 varchar(20),
    编辑日期 date,
    购买人姓名 varchar(20),
    购买人联系电话 varchar(20),
    购买人身份证号码 varchar(20),
    购买价格 numeric(19,4),
    购买日期 date,
    购买方备注 varchar(200),
    状态位 varchar(6),
    受理人 varchar(20),
    受理日期 date,
    合同号 varchar(20),
    佣金金额 numeric(19,4)
);

CREATE TABLE H_求租表 (
    ID serial PRIMARY KEY,
    收件号 varchar(10),
    房屋地址 varchar(100),
    建筑面积 integer,
    房型 varchar(20),
    朝向 varchar(20),
    楼层 integer,
    租金 numeric(19,4),
    区域 varchar(20),
    房屋设施 varchar(200),
    装修情况 varchar(100),
    交通情况 varchar(100),
    周围环境 varchar(200),
    联系人 varchar(50),
    联系电话一 varchar(40),
    联系电话二 varchar(40),
    联系人身份证号 varchar(17),
    备注 varchar(200),
    编辑人 varchar(20),
    编辑日期 date
);

CREATE TABLE H_求购表 (
    ID serial PRIMARY KEY,
    收件号 varchar(10),
    房屋地址 varchar(100),
    建筑面积 integer,
    房型 varchar(20),
    朝向 varchar(20),
    楼层 integer,
    售价 numeric(19,4),
    区域 varchar(20),
    房屋设施 varchar(200),
    装修情况 varchar(100),
    交通情况 varchar(100),
    周围环境 varchar(200),
    联系人 varchar(50),
    联系电话一 varchar(40),
    联系电话二 varchar(40),
    联系人身份证号 varchar(17),
    备注 varchar(200),
    编辑人 varchar(20),
    编辑日期 date
);

CREATE TABLE S_用户表 (
    编号 serial PRIMARY KEY,
    用户代码 varchar(20),
    用户口令 varchar(128),
    用户姓名 varchar(20),
    类型 varchar(10)
);

CREATE TABLE S_字典 (
    TypeName varchar(20) NOT NULL,
    Value varchar(50) NOT NULL
);

CREATE TABLE S_参数表 (
    编码 varchar(20) NOT NULL,
    参数值 varchar(50),
    PRIMARY KEY (编码)
);

CREATE TABLE S_收件单号 (
    Billtype varchar(10) NOT NULL,
    BillNo integer,
    PRIMARY KEY (Billtype)
);

CREATE TABLE S_企业信息 (
    编码 varchar(10) NOT NULL,
    企业名称 varchar(100),
    企业地址 varchar(100),
    联系电话 varchar(40),
    网址 varchar(100),
    电子邮件 varchar(100),
    PRIMARY KEY (编码)
);

CREATE INDEX IX_出租表_编辑日期 ON H_出租表 (编辑日期);
CREATE INDEX IX_出租表_跟踪报警日期 ON H_出租表 (跟踪报警日期);
CREATE INDEX IX_出售表_编辑日期 ON H_出售表 (编辑日期);
CREATE INDEX IX_求租表_编辑日期 ON H_求租表 (编辑日期);
CREATE INDEX IX_求购表_编辑日期 ON H_求购表 (编辑日期);
CREATE INDEX IX_字典_TypeName ON S_字典 (TypeName);

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

