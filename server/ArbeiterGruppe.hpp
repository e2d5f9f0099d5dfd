#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace parlix {

// A fixed set of threads working off one bounded queue of jobs, so that slow work
// (password hashes, database commits) never holds up the server's event loop and a
// flood of it is refused instead of piling up. `beimEnde` runs on each thread before it
// ends (to close its database connection). The destructor lets the running jobs
// finish, drops the waiting ones and joins the threads.
class ArbeiterGruppe {
public:
    ArbeiterGruppe(int faeden, int maxWartend, std::function<void()> beimEnde);
    ~ArbeiterGruppe();
    ArbeiterGruppe(const ArbeiterGruppe&) = delete;
    ArbeiterGruppe& operator=(const ArbeiterGruppe&) = delete;

    // False when `maxWartend` jobs are already waiting; the job is then not run.
    bool reiheEin(std::function<void()> auftrag);

private:
    void arbeite();

    const std::size_t maxWartend_;
    const std::function<void()> beimEnde_;
    std::mutex sperre_;
    std::condition_variable neu_;
    std::deque<std::function<void()>> schlange_;
    bool ende_ = false;
    std::vector<std::thread> faeden_;
};

} // namespace parlix
