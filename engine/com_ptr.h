#pragma once
// Holds one reference to a COM interface and releases it when the holder goes.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() {
        if (p_) p_->Release();
    }
    T* operator->() const { return p_; }
    T* Get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For the out-parameter of CoCreateInstance and QueryInterface, or of a typed getter; the
    // holder must be empty.
    void** Out() { return reinterpret_cast<void**>(&p_); }
    T** Put() { return &p_; }

private:
    T* p_ = nullptr;
};
