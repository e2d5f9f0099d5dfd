#pragma once

#include <QString>
#include <QTemporaryDir>

namespace parlix::test {

// A file system of a few pages that a test may fill to the brim, without touching the
// machine's disks: the test runs a second time in a child process that is root of its
// own user and mount namespace (unshare -Urm, which needs no privileges), where a tmpfs
// is mounted at a fresh folder. Use it like this:
//
//     TEST(Suite, Name) {
//         if (!KleinesDateisystem::imNamensraum()) {
//             KleinesDateisystem::laufeImNamensraum(); // reports the child's failures
//             return;
//         }
//         KleinesDateisystem platte(64 * 1024);
//         ... // files in platte.ordner()
//     }
class KleinesDateisystem {
public:
    // Whether this process is the child in the namespace.
    static bool imNamensraum();
    // Runs the current test again in the namespace and fails it with the child's output
    // unless it passed there.
    static void laufeImNamensraum();

    // In the namespace only: mounts a tmpfs of about `bytes` at a new folder.
    explicit KleinesDateisystem(qint64 bytes);
    ~KleinesDateisystem();
    KleinesDateisystem(const KleinesDateisystem&) = delete;
    KleinesDateisystem& operator=(const KleinesDateisystem&) = delete;

    QString ordner() const { return ordner_.path(); }
    // Fills the file system with a filler file until it is full, then frees `frei`
    // bytes of it again (rounded to pages by the file system).
    void fuelle(qint64 frei = 0);
    // Removes the filler.
    void leere();

private:
    QString fueller() const;

    QTemporaryDir ordner_;
    bool eingehaengt_ = false;
};

} // namespace parlix::test
