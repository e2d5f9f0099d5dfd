#pragma once

#include <QObject>
#include <QUuid>
#include <optional>

namespace parlix {

// What the history panel's list reacts to: every opening raises `anim` (the list then
// scrolls to the newest entry), and `hervorID` names the entry to highlight. Main thread.
class GlasVerlaufModel final : public QObject {
    Q_OBJECT

public:
    int anim() const { return anim_; }
    void erhoeheAnim();
    const std::optional<QUuid>& hervorID() const { return hervorID_; }
    void setzeHervorID(const std::optional<QUuid>& id);

signals:
    void animGeaendert(int anim);
    void hervorIDGeaendert();

private:
    int anim_ = 0;
    std::optional<QUuid> hervorID_;
};

} // namespace parlix
