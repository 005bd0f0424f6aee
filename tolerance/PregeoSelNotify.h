// How the CAD selection view's builders tell the dialog what the user picked.
#pragma once

class IPregeoSelNotify {
public:
    virtual ~IPregeoSelNotify() = default;
    // Codes: 1 a point picked, 2 a first mesh vertex, 3 a second mesh vertex, 4 a point joined to the
    // anchor, 5 a row 7 picked. True when the notification means something for the dialog's tolerance type.
    virtual bool OnSelNotify(int code) = 0;
};
