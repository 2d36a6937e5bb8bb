#include "TSetValue.h"

TSetValue AppGlobals;

QString DefaultDBName = QStringLiteral("House.HDB");
