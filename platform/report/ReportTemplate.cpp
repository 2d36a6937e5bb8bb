#include "ReportTemplate.h"

#include "ReportError.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {
// Nothing a bill needs comes near this; a bigger file is not one of ours.
constexpr qint64 MaxTemplateBytes = 8 * 1024 * 1024;

QString shown(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

[[noreturn]] void fail(const QString& path, const QString& what) {
    throw ReportError(QStringLiteral("报表模板“%1”%2").arg(shown(path), what));
}

double positive(const QJsonObject& o, const char* key, double fallback, const QString& path) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined())
        return fallback;
    if (!v.isDouble() || v.toDouble() < 0 || v.toDouble() > 2000)
        fail(path, QStringLiteral("已损坏:页面属性“%1”不是有效的毫米数。").arg(QLatin1String(key)));
    return v.toDouble();
}

bool looksLikeOurs(const QByteArray& data) {
    // The signature sits in the first lines of every file we write.
    return data.left(512).contains(ReportTemplate::FormatName);
}
} // namespace

ReportTemplate ReportTemplate::load(const QString& path, const QStringList& requiredLabels) {
    QFile file(path);
    if (!file.exists())
        fail(path, QStringLiteral("不存在。"));
    if (!file.open(QIODevice::ReadOnly))
        fail(path, QStringLiteral("无法读取:%1").arg(file.errorString()));
    if (file.size() > MaxTemplateBytes)
        fail(path, QStringLiteral("不是本系统的报表模板。"));
    return fromJson(file.readAll(), path, requiredLabels);
}

ReportTemplate ReportTemplate::fromJson(const QByteArray& data, const QString& path,
                                        const QStringList& requiredLabels) {
    if (data.trimmed().isEmpty())
        fail(path, QStringLiteral("是空文件,可能在写入时被截断。"));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError) {
        if (looksLikeOurs(data))
            fail(path, QStringLiteral("不完整,文件已被截断或损坏(第 %1 个字节处:%2)。")
                           .arg(error.offset)
                           .arg(error.errorString()));
        fail(path, QStringLiteral("不是本系统的报表模板。"));
    }
    const QJsonObject root = doc.object();
    if (!doc.isObject() || root.value(QStringLiteral("format")).toString() != QLatin1String(FormatName))
        fail(path, QStringLiteral("不是本系统的报表模板。"));
    const QJsonValue versionValue = root.value(QStringLiteral("version"));
    if (!versionValue.isDouble() || versionValue.toDouble() < 1 ||
        versionValue.toDouble() != double(versionValue.toInt()))
        fail(path, QStringLiteral("已损坏:格式版本无法识别。"));
    const int version = versionValue.toInt();
    if (version > FormatVersion)
        fail(path,
             QStringLiteral("是较新版本的程序制作的(格式版本 %1),本程序只能读取版本 %2 的模板,请升级程序。")
                 .arg(version)
                 .arg(FormatVersion));

    ReportTemplate t;
    const QJsonValue pageValue = root.value(QStringLiteral("page"));
    if (!pageValue.isUndefined() && !pageValue.isObject())
        fail(path, QStringLiteral("已损坏:页面设置无法识别。"));
    const QJsonObject page = pageValue.toObject();
    t.pageSize = QSizeF(positive(page, "width", 210.0, path), positive(page, "height", 297.0, path));
    const QJsonObject m = page.value(QStringLiteral("margins")).toObject();
    t.margins = QMarginsF(positive(m, "left", 6.35, path), positive(m, "top", 6.35, path),
                          positive(m, "right", 6.35, path), positive(m, "bottom", 6.35, path));
    if (t.printableSize().width() <= 0 || t.printableSize().height() <= 0)
        fail(path, QStringLiteral("已损坏:页边距大于纸张。"));

    const QJsonValue itemsValue = root.value(QStringLiteral("items"));
    if (!itemsValue.isArray())
        fail(path, QStringLiteral("已损坏:缺少项目列表。"));
    const QJsonArray items = itemsValue.toArray();
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (!items[i].isObject())
            fail(path, QStringLiteral("已损坏:第 %1 项无法识别。").arg(i + 1));
        try {
            t.items.append(ReportItem::fromJson(items[i].toObject(), QStringLiteral("第 %1 项").arg(i + 1)));
        } catch (const ReportError& e) {
            fail(path, QStringLiteral("已损坏:%1。").arg(e.message()));
        }
    }
    for (const QString& name : requiredLabels) {
        const int i = t.indexOf(name);
        if (i < 0 || t.items[i].kind != ReportItem::Kind::Label)
            fail(path, QStringLiteral("缺少标签 %1,无法打印。").arg(name));
    }
    return t;
}

QByteArray ReportTemplate::toJson() const {
    QJsonObject root;
    root.insert(QStringLiteral("format"), QLatin1String(FormatName));
    root.insert(QStringLiteral("version"), FormatVersion);
    QJsonObject page;
    page.insert(QStringLiteral("width"), pageSize.width());
    page.insert(QStringLiteral("height"), pageSize.height());
    QJsonObject m;
    m.insert(QStringLiteral("left"), margins.left());
    m.insert(QStringLiteral("top"), margins.top());
    m.insert(QStringLiteral("right"), margins.right());
    m.insert(QStringLiteral("bottom"), margins.bottom());
    page.insert(QStringLiteral("margins"), m);
    root.insert(QStringLiteral("page"), page);
    QJsonArray list;
    for (const ReportItem& item : items)
        list.append(item.toJson());
    root.insert(QStringLiteral("items"), list);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

void ReportTemplate::save(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(toJson()) < 0 || !file.commit())
        throw ReportError(QStringLiteral("报表模板“%1”无法保存:%2").arg(shown(path), file.errorString()));
}

QSizeF ReportTemplate::printableSize() const {
    return {pageSize.width() - margins.left() - margins.right(),
            pageSize.height() - margins.top() - margins.bottom()};
}

int ReportTemplate::indexOf(const QString& name) const {
    for (qsizetype i = 0; i < items.size(); ++i)
        if (items[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

QString ReportTemplate::freeName(const QString& prefix) const {
    for (int n = 1;; ++n) {
        const QString name = prefix + QString::number(n);
        if (indexOf(name) < 0)
            return name;
    }
}
