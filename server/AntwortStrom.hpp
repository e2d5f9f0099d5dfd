#pragma once

#include <QByteArray>
#include <functional>
#include <mutex>

namespace parlix {

// The body of an answer that is sent while it still arrives: one thread gives pieces and
// the end, the connection's thread takes what has come. The taker is woken once for
// whatever arrived since it last took, so a body that arrives at once costs one wake-up.
class AntwortStrom {
public:
    enum class Ende {
        offen, // more may come
        vollstaendig,
        abgebrochen, // the body is incomplete: the client must not take it for whole
    };
    struct Vorrat {
        QByteArray bytes;
        Ende ende = Ende::offen;
    };

    // Giver, any thread.
    void gib(QByteArrayView bytes);
    void beende(Ende ende);

    // Taker: `wecker` runs on the giver's thread whenever something arrives after the
    // taker last took; it must not block. The taker is taken to be awake at first.
    void verbinde(std::function<void()> wecker);
    Vorrat nimm();

private:
    void wecke(std::unique_lock<std::mutex>& lock);

    std::mutex sperre_;
    Vorrat vorrat_;
    bool wach_ = true;
    std::function<void()> wecker_;
};

} // namespace parlix
