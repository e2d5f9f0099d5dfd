#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace parlix {

// The cues that ship inside the program (Qt resources under :/klaenge/). The sound
// library plays files, so each cue is copied once to a private cache file
// ($XDG_CACHE_HOME/parlix/klaenge/<name>.wav); the copy is refreshed when it differs.
class KlangDateien {
public:
    // The file that plays the bundled cue `name`; absent when there is no such cue or
    // the copy cannot be written.
    std::optional<QString> datei(const QString& name);

    static QStringList namen();

private:
    QStringList geprueft_; // names whose cache file is known to be current
};

} // namespace parlix
