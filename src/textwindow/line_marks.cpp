#include "textwindow/line_marks.h"

#include "lists/one_line_text.h"

namespace wordvane {

std::u16string getKettString(const std::u16string& source) {
    return u">" + replaceAll(source, u"\r\n", u"\r\n>");
}

std::u16string getBrString(const std::u16string& source) {
    return replaceAll(source, u"\r\n", u"<br>\r\n");
}

}  // namespace wordvane
