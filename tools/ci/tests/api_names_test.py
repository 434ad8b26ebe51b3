"""tools/ci/api_names.py keeps docs/engine-api.md and the public headers to the same names."""

import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent))
import api_names  # noqa: E402

HEADER = """
#pragma once
#define CC_THING(x) do { \\
    x; } while (0)
NS_CC_BEGIN
typedef void (Ref::*SEL_SCHEDULE)(float);
class CC_DLL Widget : public Base
{
public:
    static Widget* create(const std::function<void(Ref*)>& callback = nullptr);
    Widget();
    ~Widget() override;
    Widget& operator=(const Widget&) = delete;
    bool operator==(const Widget& other) const { return _size == other._size; }
    static const Widget RED, GREEN;
    std::function<void(Ref*)> onPress;
    void draw() override;
    template <typename T> T as() const { return T(); }
    enum class State { IDLE, BUSY };

protected:
    void hidden();

private:
    int _size = 0;
};
NS_CC_END
"""


def offered(header_text):
    names = api_names.HeaderNames()
    names.read(header_text)
    return names


DOCUMENT = """
### Macros
- `CC_THING`: as 3.17.

### Namespace
- `SEL_SCHEDULE`, `Widget`: as 3.17.

### Widget
- `create`, `operator==`, `RED`, `GREEN`, `onPress`, `as`,
  `State`: as 3.17.
"""


class ApiNames(unittest.TestCase):
    def test_public_members_and_only_those_are_offered(self):
        names = offered(HEADER)
        self.assertEqual(names.required["Widget"], {"create", "operator==", "RED", "GREEN", "onPress", "as", "State"})
        self.assertEqual(names.optional["Widget"], {"draw"})
        self.assertEqual(names.required["Namespace"], {"SEL_SCHEDULE", "Widget"})
        self.assertEqual(names.required["Macros"], {"CC_THING"})

    def test_a_document_listing_the_same_names_passes_overrides_or_not(self):
        listed = api_names.document_names(DOCUMENT)
        self.assertEqual(api_names.differences(offered(HEADER), listed), [])
        listed["Widget"].add("draw")
        self.assertEqual(api_names.differences(offered(HEADER), listed), [])

    def test_a_name_in_one_and_not_the_other_fails(self):
        listed = api_names.document_names(DOCUMENT.replace("`RED`, ", "") + "- `hidden`: ours.\n")
        self.assertEqual(api_names.differences(offered(HEADER), listed), [
            "Widget::RED: offered by the headers, not in the document",
            "Widget::hidden: in the document, offered by no header",
        ])
        listed = api_names.document_names(DOCUMENT + "\n### Gadget\n- `spin`: ours.\n")
        self.assertEqual(api_names.differences(offered(HEADER), listed),
                         ["Gadget: a section of the document, offered by no header"])

    def test_the_command_exits_1_naming_the_difference(self):
        with tempfile.TemporaryDirectory() as folder:
            (Path(folder) / "include").mkdir()
            (Path(folder) / "include" / "Widget.h").write_text(HEADER)
            document = Path(folder) / "api.md"
            document.write_text(DOCUMENT.replace("`CC_THING`", "`CC_OTHER`"))
            self.assertEqual(api_names.main(["api_names.py", str(Path(folder) / "include"), str(document)]), 1)
            document.write_text(DOCUMENT)
            self.assertEqual(api_names.main(["api_names.py", str(Path(folder) / "include"), str(document)]), 0)


if __name__ == "__main__":
    unittest.main()
