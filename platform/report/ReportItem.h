#pragma once

#include <QFont>
#include <QJsonObject>
#include <QRectF>
#include <QString>
#include <QStringList>

// One positioned thing on a bill. Geometry is in millimetres from the top-left corner of the
// printable area (inside the page margins). A line runs from the top-left to the bottom-right
// corner of its rectangle, so a horizontal rule has height 0.
struct ReportItem {
    enum class Kind { Label, Field, Line, Box, Picture };

    Kind kind = Kind::Label;
    QString name;
    QRectF rect;

    // Labels and fields.
    QString text;   // label caption
    QString column; // field: the record column shown
    QString format; // field: "", "date:<pattern>", "money:<decimals>", "number:<decimals>", "yesno"
    QStringList fontFamilies;
    double fontSize = 10.5; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool wordWrap = false;
    double padding = 0; // mm kept free inside the rectangle on the left and right

    // Lines, boxes and pictures.
    double penWidth = 0.3; // mm, 0 = no outline
    QString fill;          // box fill colour ("#rrggbb"), empty = none
    QString file;          // picture file, relative to the template's folder

    bool isText() const { return kind == Kind::Label || kind == Kind::Field; }
    QFont font() const;
    QString kindName() const;
    static bool kindFromName(const QString& name, Kind* kind);

    QJsonObject toJson() const;
    // Throws ReportError with a text that starts with where; the caller adds the file name.
    static ReportItem fromJson(const QJsonObject& object, const QString& where);

    bool operator==(const ReportItem& other) const = default;
};
