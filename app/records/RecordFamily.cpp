#include "RecordFamily.h"

const RecordFamily::Editor* RecordFamily::editor(const QString& name) const {
    for (const Editor& e : editors)
        if (e.name == name)
            return &e;
    return nullptr;
}

const RecordFamily::StateAction* RecordFamily::action(const QString& button) const {
    for (const StateAction& a : actions)
        if (a.button == button)
            return &a;
    return nullptr;
}

const RecordFamily::StateFilter* RecordFamily::filter(const QString& box) const {
    for (const StateFilter& f : filters)
        if (f.box == box)
            return &f;
    return nullptr;
}

QStringList RecordFamily::dealEditors() const {
    QStringList names;
    for (const Editor& e : editors)
        if (e.deal)
            names << e.name;
    return names;
}

QStringList RecordFamily::dealColumns() const {
    QStringList names;
    for (const Editor& e : editors)
        if (e.deal)
            names << e.column;
    return names;
}
