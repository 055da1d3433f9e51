#include "core/language/TaskFault.h"

#include "core/common/Keys.h"

namespace airmotor::core {

std::string TaskFaultText(const TaskFault& fault, const TextTable& strText) {
    const std::string detail = fault.file ? FileFaultText(*fault.file, strText) : fault.detail;
    const std::string& text = strText(TaskProblemKey(fault.problem));
    std::string out = FillMarkers(text, {fault.subject, detail, {}});
    if (fault.file && text.find("%2") == std::string::npos)
        out += ' ' + detail;
    return out;
}

std::string TaskFaultText(const TaskFault& fault, const TextTable* strText, const std::string& english) {
    if (!strText || (*strText)(TaskProblemKey(fault.problem)).empty())
        return english;
    return TaskFaultText(fault, *strText);
}

int TaskProblemKey(TaskProblem problem) {
    return TextKey::DrawingNone + static_cast<int>(problem);
}

} // namespace airmotor::core
