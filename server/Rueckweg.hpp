#pragma once

#include <QObject>
#include <functional>
#include <mutex>

namespace parlix {

// The way back to one object's thread for answers that arrive on any thread (the relay's
// pool, the account workers). A job posted while the way is open runs on the object's
// thread, unless the object is gone by then; once its owner has cut the way (in its
// destructor), jobs are dropped.
class Rueckweg {
public:
    explicit Rueckweg(QObject* ziel)
        : ziel_(ziel) {}

    void poste(std::function<void()> auftrag);
    void trenne();

private:
    std::mutex sperre_;
    QObject* ziel_;
};

} // namespace parlix
