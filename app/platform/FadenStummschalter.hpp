#pragma once

#include "app/platform/Stummschalter.hpp"
#include "core/concurrency/ArbeitsFaden.hpp"

#include <memory>

namespace parlix {

// Runs another Stummschalter on a thread of its own, in the order of the calls: each
// call opens a connection to the sound server, and the main thread must not wait for it
// when a recording stops (the text's way to the field starts then) or starts. The calls
// return at once; the destructor waits until every one of them has run, so that the
// output is restored when the application quits. Main thread; `innen` only on the
// thread from then on.
class FadenStummschalter final : public Stummschalter {
public:
    explicit FadenStummschalter(std::unique_ptr<Stummschalter> innen);
    ~FadenStummschalter() override;

    void absenken(int prozent) override;
    void wiederherstellen() override;

private:
    std::unique_ptr<Stummschalter> innen_;
    ArbeitsFaden faden_; // last: it stops before `innen_` goes
};

} // namespace parlix
