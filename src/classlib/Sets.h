// A set of small enumeration values (up to 64 members), with the operators the program's
// code uses on such sets: include, exclude, union, intersection, difference, membership.
#pragma once

#include <cstdint>
#include <initializer_list>

template <typename E>
class Set {
 public:
  constexpr Set() = default;
  constexpr Set(std::initializer_list<E> items) {
    for (E e : items) bits_ |= Bit(e);
  }
  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr Set& Include(E e) { bits_ |= Bit(e); return *this; }
  constexpr Set& Exclude(E e) { bits_ &= ~Bit(e); return *this; }
  constexpr Set operator+(Set o) const { return FromBits(bits_ | o.bits_); }
  constexpr Set operator*(Set o) const { return FromBits(bits_ & o.bits_); }
  constexpr Set operator-(Set o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr Set operator+(E e) const { return FromBits(bits_ | Bit(e)); }
  constexpr Set operator-(E e) const { return FromBits(bits_ & ~Bit(e)); }
  constexpr Set& operator+=(Set o) { bits_ |= o.bits_; return *this; }
  constexpr Set& operator-=(Set o) { bits_ &= ~o.bits_; return *this; }
  constexpr Set& operator+=(E e) { return Include(e); }
  constexpr Set& operator-=(E e) { return Exclude(e); }
  constexpr uint64_t Bits() const { return bits_; }
  static constexpr Set FromBits(uint64_t bits) { Set s; s.bits_ = bits; return s; }
  friend constexpr bool operator==(Set a, Set b) { return a.bits_ == b.bits_; }

 private:
  static constexpr uint64_t Bit(E e) { return uint64_t{1} << static_cast<unsigned>(e); }
  uint64_t bits_ = 0;
};
