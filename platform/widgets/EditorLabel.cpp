#include "EditorLabel.h"

#include <QLabel>

QString EditorLabel::nameOf(const QString& labelText) {
    QString name = labelText;
    name.remove(QLatin1Char('&'));
    name = name.trimmed();
    while (name.endsWith(QChar(0xFF1A)) || name.endsWith(QLatin1Char(':')))
        name = name.left(name.size() - 1).trimmed();
    return name;
}

void EditorLabel::attach(QLabel* label, QWidget* editor, const QString& group) {
    label->setBuddy(editor);
    const QString name = nameOf(label->text());
    editor->setAccessibleName(group.isEmpty() ? name : group + QLatin1Char(' ') + name);
}
