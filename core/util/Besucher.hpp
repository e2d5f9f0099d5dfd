#pragma once

namespace parlix {

// Overload set for std::visit: std::visit(Besucher{[](int) {...}, [](const QString&) {...}}, v).
template <class... F> struct Besucher : F... {
    using F::operator()...;
};

} // namespace parlix
