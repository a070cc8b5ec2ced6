// Keys for looks kept in the application's pixmap cache.
#pragma once

#include <QString>

#include <initializer_list>

namespace orvelan {

// "kind-v1-v2-...": the key of a look drawn by `kind` that depends on exactly these values.
// Made in one go, without the string copies of a chain of QString::arg() calls: a key is made
// on every paint of the widgets that use it.
QString LookKey(const char* kind, std::initializer_list<long long> values);

}  // namespace orvelan
