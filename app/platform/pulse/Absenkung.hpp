#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace parlix {

struct PulseSenke;

// One lowering of a sink's output while recording: what the sink had before and what
// was set, so that exactly the old state can be put back, and only while the sink still
// holds what was set (a change the user made in the meantime wins).
struct Absenkung {
    enum class Art { Lautstaerke, Stumm };

    QString senke;
    Art art = Art::Lautstaerke;
    std::vector<quint32> vorher;  // per-channel volume before (volume path)
    std::vector<quint32> gesetzt; // per-channel volume set (volume path)
    bool warStumm = false;        // the mute flag before

    // What lowering the sink to `prozent` of the nominal volume does; absent when there
    // is nothing to change. A sink with a volume is scaled so that its loudest channel
    // sits at the level, keeping the balance; it is never raised. A sink without a volume
    // can only be muted, at 0 %. A negative level counts as 0.
    static std::optional<Absenkung> plane(const PulseSenke& senke, int prozent);

    // Whether the sink still holds what was set. Servers may round a volume by a few
    // steps; a change by a person is far larger.
    bool nochGesetzt(const PulseSenke& jetzt) const;

    QByteArray alsJson() const;
    // Absent when the text is not a complete, plausible record.
    static std::optional<Absenkung> ausJson(const QByteArray& json);
};

} // namespace parlix
