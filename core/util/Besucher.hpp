#pragma once

namespace parlix {

// Overload set for std::visit: std::visit(Besucher{[](int) {...}, [](const QString&) {...}}, v).
template <class... F> struct Besucher : F... { using F::operator()...; };
// Spelled out for clang 14, which cannot deduce aggregate template arguments yet.
template <class... F> Besucher(F...) -> Besucher<F...>;

} // namespace parlix
