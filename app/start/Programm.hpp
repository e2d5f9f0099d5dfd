#pragma once

#include <functional>
#include <memory>

namespace parlix {

class DefaultsStore;
class MainQueue;
struct Plattform;

// The program from its command line to its end: options, the interface language, the
// render harness, one instance per session, the desktop's services, the start-up, the
// event loop and an orderly end on quit, SIGTERM or SIGINT.
namespace Programm {

// Assembles the desktop's services for this session (see PlattformLader).
using PlattformLader =
    std::function<std::unique_ptr<Plattform>(DefaultsStore& speicher, MainQueue& mainQueue)>;

// The process's exit code.
int laufe(int argc, char** argv, const PlattformLader& lader);

} // namespace Programm

} // namespace parlix
