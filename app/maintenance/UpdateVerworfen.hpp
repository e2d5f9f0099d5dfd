#pragma once

#include <QString>
#include <stdexcept>

namespace parlix {

// An update archive that is not accepted: unsafe entries, no valid signature by the
// vendor's key, or files that differ from the signed manifest. grund() says which, for
// the log.
class UpdateVerworfen : public std::runtime_error {
public:
    explicit UpdateVerworfen(const QString& grund)
        : std::runtime_error(grund.toStdString()) {}

    QString grund() const { return QString::fromUtf8(what()); }
};

} // namespace parlix
