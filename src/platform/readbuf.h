#pragma once
// An input stream buffer over a file the system has opened, which it owns:
// it fills itself in blocks through the system's own read call and closes
// the file at the end, both of which each platform supplies.
#include <cstddef>
#include <cstdint>
#include <streambuf>

class ReadBuf : public std::streambuf {
public:
    // Reads up to n bytes into to: how many, 0 at the end, negative on an error.
    using Reader = std::ptrdiff_t (*)(std::intptr_t file, char *to, std::size_t n);
    using Closer = void (*)(std::intptr_t file);

    ReadBuf(std::intptr_t file, Reader read, Closer close) : file_(file), read_(read), close_(close) {}
    ReadBuf(const ReadBuf &) = delete;
    ReadBuf &operator=(const ReadBuf &) = delete;
    ~ReadBuf() override { close_(file_); }

protected:
    int_type underflow() override
    {
        const std::ptrdiff_t got = read_(file_, buf_, sizeof buf_);
        if (got <= 0)
            return traits_type::eof();
        setg(buf_, buf_, buf_ + got);
        return traits_type::to_int_type(buf_[0]);
    }

private:
    std::intptr_t file_;
    Reader read_;
    Closer close_;
    char buf_[1 << 16];
};
