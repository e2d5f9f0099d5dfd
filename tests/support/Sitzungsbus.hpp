#pragma once

#include <QString>
#include <QStringList>

namespace parlix::test {

// Writes a session bus configuration into `verzeichnis` and returns its path ("" when it
// cannot be written). The bus listens in `verzeichnis` and starts services on demand as the
// machine's session bus does, except `ohneDienste` and every desktop portal: which portals a
// test's bus offers must not depend on what the machine has installed, so a test that wants
// a portal runs it (a fake or the real one) itself.
QString sitzungsbusKonfiguration(const QString& verzeichnis, const QStringList& ohneDienste = {});

} // namespace parlix::test
