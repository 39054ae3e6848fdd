// Message maps: each window class lists which of its member functions handles
// which message or command; a message not found in a class's map is looked up
// in its base class's map.
#pragma once

#include "constants.h"

class CCmdTarget;

using AFX_PMSG = void (CCmdTarget::*)();

struct AFX_MSGMAP_ENTRY {
    UINT message;
    UINT id;  // the command identifier for WM_COMMAND, else 0
    AFX_PMSG handler;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*baseMap)();
    const AFX_MSGMAP_ENTRY* entries;  // ends with an entry whose handler is null
};

// Marks message handlers in class declarations.
#define afx_msg

#define DECLARE_MESSAGE_MAP()                                                                                 \
protected:                                                                                                    \
    static const AFX_MSGMAP* GetThisMessageMap();                                                            \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }                        \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                          \
    {                                                                                                         \
        using ThisClass [[maybe_unused]] = theClass;                                                          \
        using TheBaseClass = baseClass;                                                                       \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                                                     \
    {0, 0, nullptr}};                                                                                         \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, entries};                     \
        return &messageMap;                                                                                   \
    }

#define ON_WM_PAINT() {WM_PAINT, 0, static_cast<AFX_PMSG>(&ThisClass::OnPaint)},
#define ON_WM_CLOSE() {WM_CLOSE, 0, static_cast<AFX_PMSG>(&ThisClass::OnClose)},
#define ON_COMMAND(id, memberFxn) {WM_COMMAND, static_cast<UINT>(id), static_cast<AFX_PMSG>(memberFxn)},

// The root of every class that handles messages.
class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Runs the handler that the message maps name for the message, and tells
    // whether there was one.
    bool OnCmdMsg(UINT message, UINT id);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};
