#pragma once
// A two-dimensional symbol as dark and light modules, row by row from the top-left.
#include <cstddef>
#include <vector>

struct ModuleGrid {
    int width = 0;
    int height = 0;
    std::vector<bool> dark;  // width * height entries

    ModuleGrid() = default;
    ModuleGrid(int w, int h) : width(w), height(h), dark(size_t(w) * size_t(h), false) {}
    bool isDark(int x, int y) const { return dark[size_t(y) * size_t(width) + size_t(x)]; }
    void setDark(int x, int y, bool on) { dark[size_t(y) * size_t(width) + size_t(x)] = on; }
};
