#pragma once
// The value of a number edit as the survey reads it: the edit's text while it is a
// number of the edit's kind, else the last text that was (a half-typed "." or an
// emptied edit leaves the value in force). No widgets.

#include <QString>
#include <string>

namespace skerra {

class LastGoodNumber {
public:
    enum class Kind { WholeNumber, Real };

    LastGoodNumber(Kind kind, std::string initial) : kind_(kind), last_(std::move(initial)) {}

    // Takes the text when it converts; returns the value in force either way.
    const std::string& take(const QString& text);
    const std::string& value() const { return last_; }
    // Whether the text is a number of this kind (C locale; a whole number is 0 or more).
    bool converts(const std::string& text) const;

private:
    Kind kind_;
    std::string last_;
};

}  // namespace skerra
