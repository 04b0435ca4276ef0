#pragma once
// An input stream buffer that fills itself in blocks through the system's own
// read call, which each platform supplies.
#include <cstddef>
#include <streambuf>

class ReadBuf : public std::streambuf {
public:
    ReadBuf() = default;
    ReadBuf(const ReadBuf &) = delete;
    ReadBuf &operator=(const ReadBuf &) = delete;

protected:
    // Reads up to n bytes into to: how many, 0 at the end, negative on an error.
    virtual std::ptrdiff_t Read(char *to, std::size_t n) = 0;

    int_type underflow() override
    {
        const std::ptrdiff_t got = Read(buf_, sizeof buf_);
        if (got <= 0)
            return traits_type::eof();
        setg(buf_, buf_, buf_ + got);
        return traits_type::to_int_type(buf_[0]);
    }

private:
    char buf_[1 << 16];
};
