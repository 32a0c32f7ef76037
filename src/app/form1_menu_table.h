#pragma once
// Which slot of the window each menu entry runs: a table of member pointers,
// checked against the menu tree when it compiles, so that a misspelt or
// missing slot, or an entry left out or out of order, stops the build instead
// of a click doing nothing.

#include <span>
#include <string_view>

class Form1;

struct MenuSlot {
    std::string_view entry;
    void (Form1::*slot)() = nullptr;
    /// For the variants of one command that differ only by a number.
    void (Form1::*slotWith)(int) = nullptr;
    int argument = 0;

    constexpr MenuSlot(std::string_view name, void (Form1::*plain)()) : entry(name), slot(plain) {}
    constexpr MenuSlot(std::string_view name, void (Form1::*with)(int), int value)
        : entry(name), slotWith(with), argument(value) {}

    /// Runs the entry's slot on `window`.
    void run(Form1& window) const;
};

/// One row per item of the menu tree, in the tree's order.
[[nodiscard]] std::span<const MenuSlot> MenuSlots();
