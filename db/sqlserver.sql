-- Lintara database on SQL Server. Texts are Unicode (nvarchar); ANSI_WARNINGS make an
-- over-long text fail instead of being cut.

SET ANSI_WARNINGS ON;

CREATE TABLE H_出租表 (
    ID int IDENTITY(1,1) PRIMARY KEY,
    收件号 nvarchar(10),
    房屋地址 nvarchar(100),
    建筑面积 int,
    房型 nvarchar(20),
    朝向 nvarchar(20),
    楼层 int,
    租金 money,
    区域 nvarchar(20),
    竣工日期 date,
    产权证号 nvarchar(50),
    房屋设施 nvarchar(200),
    装修情况 nvarchar(100),
    交通情况 nvarchar(100),
    周围环境 nvarchar(200),
    联系人 nvarchar(50),
    联系电话一 nvarchar(40),
    联系电话二 nvarchar(40),
    联系人身份证号 nvarchar(17),
    出租方备注 nvarchar(200),
    编辑人 nvarchar(20),
    编辑日期 date,
    承租人姓名 nvarchar(20),
    承租人联系电话 nvarchar(20),
    承租人身份证号码 nvarchar(20),
    承租价格 money,
    承租日期 date,
    承租截止日期 date,
    承租方备注 nvarchar(200),
    状态位 nvarchar(6),
    受理人 nvarchar(20),
    受理日期 date,
    合同号 nvarchar(20),
    佣金金额 money,
    跟踪报警标志 bit DEFAULT 0,
    跟踪报警日期 date
);

CREATE TABLE H_出售表 (
    ID int IDENTITY(1,1) PRIMARY KEY,
    收件号 nvarchar(10),
    房屋地址 nvarchar(100),
    建筑面积 int,
    房型 nvarchar(20),
    朝向 nvarchar(20),
    楼层 int,
    产别 nvarchar(20),
    售价 money,
    区域 nvarchar(20),
    竣工日期 date,
    使用年限 int,
    产权证号 nvarchar(50),
    房屋设施 nvarchar(200),
    装修情况 nvarchar(100),
    交通情况 nvarchar(100),
    周围环境 nvarchar(200),
    联系人 nvarchar(50),
    联系电话一 nvarchar(40),
    联系电话二 nvarchar(40),
    联系人身份证号 nvarchar(17),
    出租方备注 nvarchar(200),
    编辑人 nvarchar(20),
    编辑日期 date,
    购买人姓名 nvarchar(20),
    购买人联系电话 nvarchar(20),
    购买人身份证号码 nvarchar(20),
    购买价格 money,
    购买日期 date,
    购买方备注 nvarchar(200),
    状态位 nvarchar(6),
    受理人 nvarchar(20),
    受理日期 date,
    合同号 nvarchar(20),
    佣金金额 money
);

CREATE TABLE H_求租表 (
    ID int IDENTITY(1,1) PRIMARY KEY,
    收件号 nvarchar(10),
    房屋地址 nvarchar(100),
    建筑面积 int,
    房型 nvarchar(20),
    朝向 nvarchar(20),
    楼层 int,
    租金 money,
    区域 nvarchar(20),
    房屋设施 nvarchar(200),
    装修情况 nvarchar(100),
    交通情况 nvarchar(100),
    周围环境 nvarchar(200),
    联系人 nvarchar(50),
    联系电话一 nvarchar(40),
    联系电话二 nvarchar(40),
    联系人身份证号 nvarchar(17),
    备注 nvarchar(200),
    编辑人 nvarchar(20),
    编辑日期 date
);

CREATE TABLE H_求购表 (
    ID int IDENTITY(1,1) PRIMARY KEY,
    收件号 nvarchar(10),
    房屋地址 nvarchar(100),
    建筑面积 int,
    房型 nvarchar(20),
    朝向 nvarchar(20),
    楼层 int,
    售价 money,
    区域 nvarchar(20),
    房屋设施 nvarchar(200),
    装修情况 nvarchar(100),
    交通情况 nvarchar(100),
    周围环境 nvarchar(200),
    联系人 nvarchar(50),
    联系电话一 nvarchar(40),
    联系电话二 nvarchar(40),
    联系人身份证号 nvarchar(17),
    备注 nvarchar(200),
    编辑人 nvarchar(20),
    编辑日期 date
);

CREATE TABLE S_用户表 (
    编号 int IDENTITY(1,1) PRIMARY KEY,
    用户代码 nvarchar(20),
    用户口令 nvarchar(128),
    用户姓名 nvarchar(20),
    类型 nvarchar(10)
);

CREATE TABLE S_字典 (
    TypeName nvarchar(20) NOT NULL,
    Value nvarchar(50) NOT NULL
);

CREATE TABLE S_参数表 (
    编码 nvarchar(20) NOT NULL,
    参数值 nvarchar(50),
    PRIMARY KEY (编码)
);

CREATE TABLE S_收件单号 (
    Billtype nvarchar(10) NOT NULL,
    BillNo int,
    PRIMARY KEY (Billtype)
);

CREATE TABLE S_企业信息 (
    编码 nvarchar(10) NOT NULL,
    企业名称 nvarchar(100),
    企业地址 nvarchar(100),
    联系电话 nvarchar(40),
    网址 nvarchar(100),
    电子邮件 nvarchar(100),
    PRIMARY KEY (编码)
);

CREATE INDEX IX_出租表_编辑日期 ON H_出租表 (编辑日期);
CREATE INDEX IX_出租表_跟踪报警日期 ON H_出租表 (跟踪报警日期);
CREATE INDEX IX_出售表_编辑日期 ON H_出售表 (编辑日期);
CREATE INDEX IX_求租表_编辑日期 ON H_求租表 (编辑日期);
CREATE INDEX IX_求购表_编辑日期 ON H_求购表 (编辑日期);
CREATE INDEX IX_字典_TypeName ON S_字典 (TypeName);

-- Bill-number counters: "A" lease, "B" sale, "E" rent and purchase demands.
INSERT INTO S_收件单号 (Billtype, BillNo) VALUES (N'A', 1);
INSERT INTO S_收件单号 (Billtype, BillNo) VALUES (N'B', 1);
INSERT INTO S_收件单号 (Billtype, BillNo) VALUES (N'E', 1);

-- System parameters; the program updates them but never inserts them.
INSERT INTO S_参数表 (编码, 参数值) VALUES (N'PrintModal', N'Preview');
INSERT INTO S_参数表 (编码, 参数值) VALUES (N'CCYJ', N'2');
INSERT INTO S_参数表 (编码, 参数值) VALUES (N'CZYJ', N'50');
INSERT INTO S_参数表 (编码, 参数值) VALUES (N'QZQGYJ', N'10');
INSERT INTO S_参数表 (编码, 参数值) VALUES (N'AJYJ', N'1');
INSERT INTO S_参数表 (编码, 参数值) VALUES (N'DLXSYJ', N'3');
INSERT INTO S_参数表 (编码, 参数值) VALUES (N'DBZQF', N'1');
INSERT INTO S_参数表 (编码, 参数值) VALUES (N'DisPlayTel', N'1');
INSERT INTO S_参数表 (编码, 参数值) VALUES (N'SchemaVersion', N'1');

-- The agency's company profile.
INSERT INTO S_企业信息 (编码, 企业名称, 企业地址, 联系电话, 网址, 电子邮件) VALUES (N'01', N'恒信房屋中介服务有限公司', N'杭州市西湖区文三路168号', N'0571-88123456', N'http://www.hengxinfw.com.cn', N'service@hengxinfw.com.cn');

-- Pick lists.
INSERT INTO S_字典 (TypeName, Value) VALUES (N'区域', N'西湖区');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'区域', N'上城区');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'区域', N'拱墅区');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'区域', N'滨江区');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'区域', N'萧山区');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'区域', N'余杭区');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'区域', N'临平区');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'区域', N'钱塘区');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'房型', N'一室零厅');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'房型', N'一室一厅');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'房型', N'两室一厅');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'房型', N'两室两厅');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'房型', N'三室一厅');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'房型', N'三室两厅');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'房型', N'四室两厅');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'房型', N'复式');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'房型', N'别墅');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'房型', N'店面');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'朝向', N'朝南');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'朝向', N'朝北');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'朝向', N'朝东');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'朝向', N'朝西');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'朝向', N'南北');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'朝向', N'东西');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'朝向', N'东南');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'朝向', N'西南');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'装修情况', N'毛坯');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'装修情况', N'简单装修');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'装修情况', N'中等装修');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'装修情况', N'精装修');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'装修情况', N'豪华装修');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'房屋设施', N'水');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'房屋设施', N'电');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'房屋设施', N'煤气');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'房屋设施', N'暖气');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'房屋设施', N'有线电视');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'房屋设施', N'宽带');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'房屋设施', N'电话');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'房屋设施', N'空调');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'房屋设施', N'热水器');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'房屋设施', N'洗衣机');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'房屋设施', N'冰箱');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'房屋设施', N'家具');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'周围环境', N'学校');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'周围环境', N'幼儿园');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'周围环境', N'医院');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'周围环境', N'超市');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'周围环境', N'菜场');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'周围环境', N'银行');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'周围环境', N'公园');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'周围环境', N'公交站');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'周围环境', N'地铁站');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'周围环境', N'商场');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'产权证号头', N'杭房权证西字第');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'产权证号头', N'杭房权证上字第');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'产权证号头', N'杭房权证拱字第');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'产权证号头', N'杭房权证滨字第');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'产权证号头', N'杭房权证萧字第');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'产权证号头', N'杭房权证余字第');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'产别', N'商品房');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'产别', N'房改房');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'产别', N'经济适用房');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'产别', N'私房');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'产别', N'公房');
INSERT INTO S_字典 (TypeName, Value) VALUES (N'产别', N'集资房');

