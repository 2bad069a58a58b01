#pragma once
// Objects that live exactly as long as their owner: holder records, timers, image lists. Any
// type can be owned; the list remembers how to delete each one and deletes the most recently
// attached first, so later objects, which may refer to earlier ones, go before them.
#include <memory>
#include <vector>

class OwnedList {
public:
    OwnedList() = default;
    OwnedList(const OwnedList&) = delete;
    OwnedList& operator=(const OwnedList&) = delete;
    ~OwnedList() { DestroyAll(); }

    template <class T>
    T& Attach(std::unique_ptr<T> object) {
        T& ref = *object;
        entries_.push_back({object.release(), [](void* p) { delete static_cast<T*>(p); }});
        return ref;
    }

    void DestroyAll() {
        while (!entries_.empty()) {
            const Entry entry = entries_.back();
            entries_.pop_back();
            entry.destroy(entry.object);
        }
    }

private:
    struct Entry {
        void* object;
        void (*destroy)(void*);
    };
    std::vector<Entry> entries_;
};
