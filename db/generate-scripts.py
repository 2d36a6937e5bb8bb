# Writes sqlite.sql, postgresql.sql and sqlserver.sql from one list of tables, so the three engines
# never drift apart. Run: python3 db/generate-scripts.py db
import sys
A='auto'; I='int'; M='money'; D='date'; B='bool'
def T(n): return ('text', n)
common_house = [('收件号',T(10)),('房屋地址',T(100)),('建筑面积',I),('房型',T(20)),('朝向',T(20)),('楼层',I)]
lease = [('ID',A)] + common_house + [('租金',M),('区域',T(20)),('竣工日期',D),('产权证号',T(50)),('房屋设施',T(200)),
 ('装修情况',T(100)),('交通情况',T(100)),('周围环境',T(200)),('联系人',T(50)),('联系电话一',T(40)),('联系电话二',T(40)),
 ('联系人身份证号',T(17)),('出租方备注',T(200)),('编辑人',T(20)),('编辑日期',D),('承租人姓名',T(20)),('承租人联系电话',T(20)),
 ('承租人身份证号码',T(20)),('承租价格',M),('承租日期',D),('承租截止日期',D),('承租方备注',T(200)),('状态位',T(6)),
 ('受理人',T(20)),('受理日期',D),('合同号',T(20)),('佣金金额',M),('跟踪报警标志',B),('跟踪报警日期',D)]
sale = [('ID',A)] + common_house + [('产别',T(20)),('售价',M),('区域',T(20)),('竣工日期',D),('使用年限',I),('产权证号',T(50)),
 ('房屋设施',T(200)),('装修情况',T(100)),('交通情况',T(100)),('周围环境',T(200)),('联系人',T(50)),('联系电话一',T(40)),
 ('联系电话二',T(40)),('联系人身份证号',T(17)),('出租方备注',T(200)),('编辑人',T(20)),('编辑日期',D),('购买人姓名',T(20)),
 ('购买人联系电话',T(20)),('购买人身份证号码',T(20)),('购买价格',M),('购买日期',D),('购买方备注',T(200)),('状态位',T(6)),
 ('受理人',T(20)),('受理日期',D),('合同号',T(20)),('佣金金额',M)]
def demand(amount):
    return [('ID',A)] + common_house + [(amount,M),('区域',T(20)),('房屋设施',T(200)),('装修情况',T(100)),('交通情况',T(100)),
     ('周围环境',T(200)),('联系人',T(50)),('联系电话一',T(40)),('联系电话二',T(40)),('联系人身份证号',T(17)),('备注',T(200)),
     ('编辑人',T(20)),('编辑日期',D)]
# (name, columns, primary key columns (non-auto), not-null key columns)
tables = [
 ('H_出租表', lease, []),
 ('H_出售表', sale, []),
 ('H_求租表', demand('租金'), []),
 ('H_求购表', demand('售价'), []),
 ('S_用户表', [('编号',A),('用户代码',T(20)),('用户口令',T(128)),('用户姓名',T(20)),('类型',T(10))], []),
 ('S_字典', [('TypeName',T(20)),('Value',T(50))], ['TypeName','Value']),
 ('S_参数表', [('编码',T(20)),('参数值',T(50))], ['编码']),
 ('S_收件单号', [('Billtype',T(10)),('BillNo',I)], ['Billtype']),
 ('S_企业信息', [('编码',T(10)),('企业名称',T(100)),('企业地址',T(100)),('联系电话',T(40)),('网址',T(100)),('电子邮件',T(100))], ['编码']),
]
assert len(lease)==36 and len(sale)==35 and len(demand('x'))==20
indexes = [('IX_出租表_编辑日期','H_出租表','编辑日期'),('IX_出租表_跟踪报警日期','H_出租表','跟踪报警日期'),
 ('IX_出售表_编辑日期','H_出售表','编辑日期'),('IX_求租表_编辑日期','H_求租表','编辑日期'),
 ('IX_求购表_编辑日期','H_求购表','编辑日期'),('IX_字典_TypeName','S_字典','TypeName')]
# S_字典 has no primary key: the maintenance window may hold a value twice and tells rows apart by the pair.
dict_rows = {
 '区域': ['西湖区','上城区','拱墅区','滨江区','萧山区','余杭区','临平区','钱塘区'],
 '房型': ['一室零厅','一室一厅','两室一厅','两室两厅','三室一厅','三室两厅','四室两厅','复式','别墅','店面'],
 '朝向': ['朝南','朝北','朝东','朝西','南北','东西','东南','西南'],
 '装修情况': ['毛坯','简单装修','中等装修','精装修','豪华装修'],
 '房屋设施': ['水','电','煤气','暖气','有线电视','宽带','电话','空调','热水器','洗衣机','冰箱','家具'],
 '周围环境': ['学校','幼儿园','医院','超市','菜场','银行','公园','公交站','地铁站','商场'],
 '产权证号头': ['杭房权证西字第','杭房权证上字第','杭房权证拱字第','杭房权证滨字第','杭房权证萧字第','杭房权证余字第'],
 '产别': ['商品房','房改房','经济适用房','私房','公房','集资房'],
}
# SchemaVersion: the schema version of this script; the program brings an older database up to it.
schema_version = 1
params = [('PrintModal','Preview'),('CCYJ','2'),('CZYJ','50'),('QZQGYJ','10'),('AJYJ','1'),('DLXSYJ','3'),('DBZQF','1'),('DisPlayTel','1'),('SchemaVersion',str(schema_version))]
bills = [('A',1),('B',1),('E',1)]
company = ('01','恒信房屋中介服务有限公司','杭州市西湖区文三路168号','0571-88123456','http://www.hengxinfw.com.cn','service@hengxinfw.com.cn')

def q(s): return "'" + s.replace("'","''") + "'"

def sqlite():
    out = ['-- Lintara database for the local file (SQLite / SQLCipher).',
           '-- Text sizes, whole numbers, amounts, dates and yes/no values are checked here, because SQLite',
           '-- itself stores any value in any column.', '']
    for name, cols, pk in tables:
        lines = []
        for c, k in cols:
            if k == A:
                lines.append(f'    {c} INTEGER PRIMARY KEY AUTOINCREMENT')
            elif k == I:
                lines.append(f"    {c} INTEGER CHECK (typeof({c}) IN ('integer', 'null'))")
            elif k == M:
                lines.append(f"    {c} DECIMAL(19,4) CHECK (typeof({c}) IN ('integer', 'real', 'null'))")
            elif k == D:
                lines.append(f"    {c} DATE CHECK ({c} IS NULL OR (typeof({c}) = 'text' AND length({c}) = 10 AND date({c}, '+0 days') IS {c}))")
            elif k == B:
                lines.append(f'    {c} BOOLEAN DEFAULT 0 CHECK ({c} IN (0, 1))')
            else:
                nn = ' NOT NULL' if c in pk else ''
                lines.append(f"    {c} VARCHAR({k[1]}){nn} CHECK (typeof({c}) IN ('text', 'null') AND length({c}) <= {k[1]})")
        if pk and name != 'S_字典':
            lines.append(f'    PRIMARY KEY ({", ".join(pk)})')
        out.append(f'CREATE TABLE {name} (\n' + ',\n'.join(lines) + '\n);\n')
    for ix, t, c in indexes:
        out.append(f'CREATE INDEX {ix} ON {t} ({c});')
    out.append('')
    return out

def server(pg):
    out = []
    if pg:
        out += ['-- Lintara database on PostgreSQL. Names are written unquoted, as the program writes them,',
                '-- so PostgreSQL folds their Latin letters to lower case ("ID" is stored as id).', '']
    else:
        out += ['-- Lintara database on SQL Server. Texts are Unicode (nvarchar); ANSI_WARNINGS make an',
                '-- over-long text fail instead of being cut.', '', 'SET ANSI_WARNINGS ON;', '']
    for name, cols, pk in tables:
        lines = []
        for c, k in cols:
            if k == A:
                lines.append(f'    {c} serial PRIMARY KEY' if pg else f'    {c} int IDENTITY(1,1) PRIMARY KEY')
            elif k == I:
                lines.append(f'    {c} integer' if pg else f'    {c} int')
            elif k == M:
                lines.append(f'    {c} numeric(19,4)' if pg else f'    {c} money')
            elif k == D:
                lines.append(f'    {c} date')
            elif k == B:
                lines.append(f'    {c} boolean DEFAULT false' if pg else f'    {c} bit DEFAULT 0')
            else:
                nn = ' NOT NULL' if c in pk else ''
                lines.append(f'    {c} varchar({k[1]}){nn}' if pg else f'    {c} nvarchar({k[1]}){nn}')
        if pk and name != 'S_字典':
            lines.append(f'    PRIMARY KEY ({", ".join(pk)})')
        out.append(f'CREATE TABLE {name} (\n' + ',\n'.join(lines) + '\n);\n')
    for ix, t, c in indexes:
        out.append(f'CREATE INDEX {ix} ON {t} ({c});')
    out.append('')
    return out

def seeds(nprefix):
    s = lambda v: (nprefix + q(v))
    out = ['-- Bill-number counters: "A" lease, "B" sale, "E" rent and purchase demands.']
    for t, n in bills:
        out.append(f'INSERT INTO S_收件单号 (Billtype, BillNo) VALUES ({s(t)}, {n});')
    out += ['', '-- System parameters; the program updates them but never inserts them.']
    for k, v in params:
        out.append(f'INSERT INTO S_参数表 (编码, 参数值) VALUES ({s(k)}, {s(v)});')
    out += ['', '-- The agency\'s company profile.',
            'INSERT INTO S_企业信息 (编码, 企业名称, 企业地址, 联系电话, 网址, 电子邮件) VALUES (' + ', '.join(s(v) for v in company) + ');',
            '', '-- Pick lists.']
    for t, vals in dict_rows.items():
        for v in vals:
            out.append(f'INSERT INTO S_字典 (TypeName, Value) VALUES ({s(t)}, {s(v)});')
    out.append('')
    return out

def write(path, lines):
    open(path, 'w', encoding='utf-8').write('\n'.join(lines) + '\n')

root = sys.argv[1]
write(root + '/sqlite.sql', sqlite() + ['BEGIN;'] + seeds('') + ['COMMIT;'])
write(root + '/postgresql.sql', server(True) + seeds(''))
write(root + '/sqlserver.sql', server(False) + seeds('N'))
