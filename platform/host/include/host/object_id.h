#pragma once
// AcDbObjectId: the opaque id of an object in the drawing. A value type; 0 is the null id (no object).
#include <compare>
#include <cstdint>
#include <functional>

class AcDbObjectId {
public:
    using OldId = std::intptr_t;

    constexpr AcDbObjectId() = default;

    static const AcDbObjectId kNull;

    constexpr bool isNull() const { return id_ == 0; }
    constexpr void setNull() { id_ = 0; }
    // The id as a plain number, and back; drawing code hands these out.
    constexpr OldId asOldId() const { return id_; }
    constexpr AcDbObjectId& setFromOldId(OldId id) {
        id_ = id;
        return *this;
    }
    static constexpr AcDbObjectId fromOldId(OldId id) { return AcDbObjectId().setFromOldId(id); }

    friend constexpr bool operator==(const AcDbObjectId&, const AcDbObjectId&) = default;
    friend constexpr auto operator<=>(const AcDbObjectId&, const AcDbObjectId&) = default;

private:
    OldId id_ = 0;
};

inline constexpr AcDbObjectId AcDbObjectId::kNull{};

template <>
struct std::hash<AcDbObjectId> {
    std::size_t operator()(const AcDbObjectId& id) const noexcept { return std::hash<AcDbObjectId::OldId>()(id.asOldId()); }
};
