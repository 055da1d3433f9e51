#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace airmotor::core {

// Cells of one named worksheet of a workbook, by 1-based row and column. Numbers are written as
// numbers and texts as texts; nothing reaches the file before save().
class SheetWriter {
public:
    virtual ~SheetWriter() = default;
    virtual void setNumber(int row, int column, double value) = 0;
    virtual void setText(int row, int column, std::string_view text) = 0;
    // The error names the file and what is wrong; the file is unchanged then.
    virtual std::optional<std::string> save() = 0;
};

} // namespace airmotor::core
