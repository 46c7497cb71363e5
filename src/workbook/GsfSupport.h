// What the readers on libgsf share: owning a GObject reference, setting the
// library up once, and how names in containers compare.
#pragma once

#include <gsf/gsf-utils.h>

#include <algorithm>
#include <mutex>
#include <string_view>

namespace zx {

// Owns one reference of a GObject.
template <typename T>
class GRef {
public:
    explicit GRef(T* p = nullptr) : p_(p) {}
    ~GRef()
    {
        if (p_)
            g_object_unref(p_);
    }
    GRef(const GRef&) = delete;
    GRef& operator=(const GRef&) = delete;
    T* get() const { return p_; }
    void reset(T* p)
    {
        if (p_)
            g_object_unref(p_);
        p_ = p;
    }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_;
};

// Names of streams and ZIP entries: ASCII letters compare without regard to
// case, as Office does.
inline bool SameNameIgnoringCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

inline void InitGsf()
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { gsf_init(); });
}

} // namespace zx
