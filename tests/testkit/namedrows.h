#pragma once

// Rows of a value-parameterised test that carry their own Name: a failure
// message shows the row by it, and RowName names the test case after it.
// A test file whose rows live in an anonymous namespace says
// "using ostrel::PrintTo;" there, so that gtest finds the template.

#include <concepts>
#include <ostream>
#include <string>

namespace ostrel {

template <class Row>
concept NamedRow = requires(const Row &row) {
    { row.Name } -> std::convertible_to<std::string>;
};

template <NamedRow Row>
void PrintTo(const Row &row, std::ostream *out)
{
    *out << row.Name;
}

// The name generator of INSTANTIATE_TEST_SUITE_P for named rows.
inline constexpr auto RowName = [](const auto &info) { return std::string(info.param.Name); };

} // namespace ostrel
