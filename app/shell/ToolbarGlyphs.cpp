#include "ToolbarGlyphs.h"

ToolbarGlyphs::ToolbarGlyphs() {}

QIcon ToolbarGlyphs::icon(int index) const {
    if (index < 0 || index >= icons_.size())
        return {};
    return icons_.at(index);
}

int ToolbarGlyphs::count() const { return icons_.size(); }
