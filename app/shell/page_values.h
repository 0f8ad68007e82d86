// The values behind a page's controls. Every device value a page shows has
// a confirmed copy (last read from or accepted by the device) and an edited
// copy (what the controls show); some also have a device copy in AppState
// that other pages share. A page is changed when an edited copy differs from
// its confirmed one; Discard puts the confirmed copies back.
#pragma once

#include <functional>
#include <vector>

namespace quillon {

class FieldBase {
public:
    FieldBase() = default;
    FieldBase(const FieldBase&) = delete;
    FieldBase& operator=(const FieldBase&) = delete;
    virtual ~FieldBase() = default;

    virtual bool changed() const = 0;
    virtual void discard() = 0;

    // Values of ports the model lacks take no part (the Q20's ports 31 and 32).
    bool in_use() const { return inUse_; }
    void set_in_use(bool inUse) { inUse_ = inUse; }

private:
    bool inUse_ = true;
};

template <class T>
class Field : public FieldBase {
public:
    Field() = default;
    explicit Field(T initial) : confirmed_(initial), edited_(std::move(initial)) {}

    const T& confirmed() const { return confirmed_; }
    const T& edited() const { return edited_; }
    // The copy the program keeps for the whole run (AppState), or the
    // confirmed copy when the value has none.
    const T& device() const { return device_ ? *device_ : confirmed_; }
    void bind_device(T* device) { device_ = device; }

    // What the controls show now.
    void edit(T value) { edited_ = std::move(value); }
    // A read from the device (or AppState) sets every copy.
    void read(T value)
    {
        confirmed_ = edited_ = std::move(value);
        if (device_)
            *device_ = confirmed_;
    }
    // The device took the edited value.
    void accept()
    {
        confirmed_ = edited_;
        if (device_)
            *device_ = confirmed_;
    }
    bool changed() const override { return edited_ != confirmed_; }
    bool differs_from_device() const { return edited_ != device(); }
    void discard() override { edited_ = confirmed_; }

private:
    T confirmed_{};
    T edited_{};
    T* device_ = nullptr;
};

// All the fields of one page or dialog.
class ValueSet {
public:
    void add(FieldBase& field) { fields_.push_back(&field); }
    template <class Range>
    void add_all(Range& range)
    {
        for (auto& field : range)
            add(field);
    }

    bool changed() const
    {
        for (const FieldBase* f : fields_)
            if (f->in_use() && f->changed())
                return true;
        return false;
    }
    void discard()
    {
        for (FieldBase* f : fields_)
            f->discard();
    }

private:
    std::vector<FieldBase*> fields_;
};

} // namespace quillon
