#include "kit/toggles/checkbox_tick.h"

namespace kit {

// A 17 × 17 white tick with soft edges, as PNG with alpha, broken into lines of 76 characters
// by carriage returns.
const char kCheckboxTickBase64[] =
    "iVBORw0KGgoAAAANSUhEUgAAABEAAAARCAYAAAA7bUf6AAAAf0lEQVR42mP4//8/A6WYYWQbwgPE\r"
    "h4H4MxBbkGMICxBv/48AKeQYMhvJgM1QQ7Ea4gPF6OINSAYch3oLa5gYICksQBJPQBK/DcQS+AIW\r"
    "JPkczSAPIP4N5YPkNIiJHQ00g75DaVBs2JASxegGgVwSQk46QTYoh5LEJgEN7JGWAQHnbIYYt6YI\r"
    "oAAAAABJRU5ErkJggg==";

}  // namespace kit
