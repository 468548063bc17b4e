#pragma once
// The bytes of a layout file: "QMT1" and one zlib stream (RFC 1950, deflate at
// level 6, 15-bit window, memory level 8, default strategy), or, without the
// magic, plain text from the first byte.

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <string_view>

namespace skerra::layout {

inline constexpr char kLayoutMagic[] = "QMT1";

// The largest text a layout may hold (inflated, or a plain file): beyond it a
// file is refused as "too large".
qint64 layoutTextLimit();
// For tests; 0 restores the usual limit.
void setLayoutTextLimitForTesting(qint64 bytes);

// One zlib stream with the file's parameters, made piece by piece.
class LayoutDeflater {
public:
    // Receives compressed bytes; returns false to stop (a write failed).
    using Output = std::function<bool(const char* bytes, std::size_t size)>;
    LayoutDeflater();  // throws std::bad_alloc
    ~LayoutDeflater();
    LayoutDeflater(const LayoutDeflater&) = delete;
    LayoutDeflater& operator=(const LayoutDeflater&) = delete;

    // Compresses the next piece of the text; the last one ends the stream.
    // Returns false when the output stopped.
    bool add(std::string_view text, bool last, const Output& output);

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The magic and the compressed text at once. Throws std::bad_alloc when memory runs out.
QByteArray compressLayoutText(std::string_view text);

// Reads the file and hands its text to sink piece by piece, in order. Returns
// an empty text on success, else the reason (the sink may have seen part of the
// text then).
QString readLayoutText(const QString& path, const std::function<void(std::string_view)>& sink);

}  // namespace skerra::layout
