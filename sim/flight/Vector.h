// Three-vectors and unit quaternions for the flight model. Plain values,
// no frame attached: each use says which frame its components are in.
#pragma once

#include <cmath>

namespace quorvel::flight {

struct Vec3 {
    double x = 0;
    double y = 0;
    double z = 0;
};

constexpr Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
constexpr Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
constexpr Vec3 operator-(const Vec3& a) { return {-a.x, -a.y, -a.z}; }
constexpr Vec3 operator*(double s, const Vec3& a) { return {s * a.x, s * a.y, s * a.z}; }
constexpr Vec3 operator*(const Vec3& a, double s) { return s * a; }
constexpr Vec3& operator+=(Vec3& a, const Vec3& b) { return a = a + b; }

constexpr double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
constexpr Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Norm(const Vec3& a) { return std::sqrt(Dot(a, a)); }
// The unit vector along a; the zero vector when a has no direction.
inline Vec3 Normalized(const Vec3& a) {
    const double n = Norm(a);
    return n > 0 && std::isfinite(n) ? (1 / n) * a : Vec3{};
}
inline bool IsFinite(const Vec3& a) { return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z); }

// A rotation as a unit quaternion w + xi + yj + zk (Hamilton convention).
struct Quaternion {
    double w = 1;
    double x = 0;
    double y = 0;
    double z = 0;
};

constexpr Quaternion operator*(const Quaternion& a, const Quaternion& b) {
    return {a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z, a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
            a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x, a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w};
}
constexpr Quaternion operator+(const Quaternion& a, const Quaternion& b) {
    return {a.w + b.w, a.x + b.x, a.y + b.y, a.z + b.z};
}
constexpr Quaternion operator*(double s, const Quaternion& q) { return {s * q.w, s * q.x, s * q.y, s * q.z}; }
constexpr Quaternion Conjugate(const Quaternion& q) { return {q.w, -q.x, -q.y, -q.z}; }

// Back to unit length; the identity when q has decayed to nothing.
inline Quaternion Normalized(const Quaternion& q) {
    const double n = std::sqrt(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z);
    return n > 0 && std::isfinite(n) ? (1 / n) * q : Quaternion{};
}

// v rotated by the unit quaternion q.
constexpr Vec3 Rotate(const Quaternion& q, const Vec3& v) {
    const Vec3 u{q.x, q.y, q.z};
    const Vec3 t = 2 * Cross(u, v);
    return v + q.w * t + Cross(u, t);
}

// The rotation taking the frame axes onto the given orthonormal,
// right-handed columns (the images of x, y and z).
inline Quaternion FromAxes(const Vec3& xAxis, const Vec3& yAxis, const Vec3& zAxis) {
    // Shepperd's method: pick the largest of the four squares to divide by.
    const double m00 = xAxis.x, m11 = yAxis.y, m22 = zAxis.z;
    const double trace = m00 + m11 + m22;
    Quaternion q;
    if (trace > m00 && trace > m11 && trace > m22) {
        const double s = 2 * std::sqrt(1 + trace);
        q = {s / 4, (yAxis.z - zAxis.y) / s, (zAxis.x - xAxis.z) / s, (xAxis.y - yAxis.x) / s};
    } else if (m00 > m11 && m00 > m22) {
        const double s = 2 * std::sqrt(std::fmax(1 + m00 - m11 - m22, 0.0));
        q = {(yAxis.z - zAxis.y) / s, s / 4, (yAxis.x + xAxis.y) / s, (zAxis.x + xAxis.z) / s};
    } else if (m11 > m22) {
        const double s = 2 * std::sqrt(std::fmax(1 + m11 - m00 - m22, 0.0));
        q = {(zAxis.x - xAxis.z) / s, (yAxis.x + xAxis.y) / s, s / 4, (zAxis.y + yAxis.z) / s};
    } else {
        const double s = 2 * std::sqrt(std::fmax(1 + m22 - m00 - m11, 0.0));
        q = {(xAxis.y - yAxis.x) / s, (zAxis.x + xAxis.z) / s, (zAxis.y + yAxis.z) / s, s / 4};
    }
    return Normalized(q);
}

}  // namespace quorvel::flight
