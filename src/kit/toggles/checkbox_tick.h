#pragma once

namespace kit {

/// The check box's tick mark: Base64 text of a 17 × 17 PNG with transparency, its lines
/// separated by carriage returns. Fully opaque at (7, 11) and (12, 5), transparent along the
/// picture's edges.
extern const char kCheckboxTickBase64[];

}  // namespace kit
