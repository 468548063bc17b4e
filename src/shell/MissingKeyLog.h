#pragma once
// The log of keys that had no translation, for the translators: one key per line,
// CR LF, each key once, in the order first missed. The file is read once, at the
// first miss of a run; later misses are appended.

#include <set>
#include <string>

namespace skerra {

class MissingKeyLog {
public:
    explicit MissingKeyLog(std::string path) : path_(std::move(path)) {}

    // Records the key unless the log holds it already. Empty keys and keys with a
    // line break are never recorded. True when the key was added.
    bool Record(const std::string& key);

    const std::string& Path() const { return path_; }

private:
    void LoadOnce();

    std::string path_;
    bool loaded_ = false;
    bool endsWithBreak_ = true;
    std::set<std::string> keys_;
};

}  // namespace skerra
