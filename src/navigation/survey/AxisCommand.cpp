#include "AxisCommand.h"

#include <cstdint>
#include <cstdlib>
#include <string>

// The magnitude is taken in 64 bits: the smallest int has no positive int.
std::string FormatAxisCommand(char axis, int value)
{
    std::string digits = std::to_string(std::llabs(static_cast<std::int64_t>(value)));
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
    std::string command = "<";
    command += axis;
    command += value < 0 ? '-' : '+';
    command += digits;
    command += ">\n";
    return command;
}
