#pragma once

#include <QString>

namespace tilzo {

// The prompt's reply as the fixed 20-character PlayerName: cut to 20 first,
// then spaces (only spaces) trimmed at both ends, then padded again.
QString playerNameFrom(const QString& reply);

} // namespace tilzo
