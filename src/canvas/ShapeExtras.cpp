#include "canvas/ShapeExtras.h"

#include <mutex>
#include <unordered_map>

namespace {

struct Table {
    std::mutex lock;
    // Node based: an entry keeps its address while others come and go.
    std::unordered_map<const THShape*, ShapeExtra> entries;
};

// Never destroyed: shapes owned by static objects may go after everything else at exit.
Table& table()
{
    static Table* const t = new Table;
    return *t;
}

}  // namespace

ShapeExtra& ShapeExtras::obtain(const THShape* shape)
{
    Table& t = table();
    const std::lock_guard<std::mutex> hold(t.lock);
    return t.entries[shape];
}

const ShapeExtra* ShapeExtras::find(const THShape* shape)
{
    Table& t = table();
    const std::lock_guard<std::mutex> hold(t.lock);
    const auto it = t.entries.find(shape);
    return it == t.entries.end() ? nullptr : &it->second;
}

void ShapeExtras::erase(const THShape* shape)
{
    Table& t = table();
    const std::lock_guard<std::mutex> hold(t.lock);
    t.entries.erase(shape);
}
