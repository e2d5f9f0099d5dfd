#pragma once

#include <QByteArray>
#include <optional>
#include <utility>
#include <vector>

namespace parlix::test {

// Sets environment variables for the life of the object and then puts back what was
// there before (in reverse order, so setting one name twice restores the first value).
class GesetzteUmgebung {
public:
    GesetzteUmgebung() = default;
    ~GesetzteUmgebung();
    GesetzteUmgebung(const GesetzteUmgebung&) = delete;
    GesetzteUmgebung& operator=(const GesetzteUmgebung&) = delete;

    void setze(const char* name, const QByteArray& wert);
    void entferne(const char* name);

private:
    void merke(const char* name);

    std::vector<std::pair<QByteArray, std::optional<QByteArray>>> vorher_;
};

} // namespace parlix::test
