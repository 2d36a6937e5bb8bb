#pragma once

#include <QString>

// Stores a new password for the user numbered userId, as a hash, on the shared scratch query.
// Returns the stored text. No such user: nothing changes. Database errors propagate.
QString StoreUserPassword(int userId, const QString& password);
