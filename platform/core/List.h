// The framework's linked lists, walked with POSITION values.
#pragma once

#include "platform/core/Exception.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"

struct __POSITION
{
};
using POSITION = __POSITION*;

template <typename TYPE, typename ARG_TYPE = const TYPE&> class CList : public CObject
{
    struct Node : __POSITION
    {
        Node* next = nullptr;
        Node* prev = nullptr;
        TYPE data{};
    };

public:
    CList() = default;
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_count; }
    INT_PTR GetSize() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }

    TYPE& GetHead() { return NodeOf(m_head)->data; }
    const TYPE& GetHead() const { return NodeOf(m_head)->data; }
    TYPE& GetTail() { return NodeOf(m_tail)->data; }
    const TYPE& GetTail() const { return NodeOf(m_tail)->data; }

    POSITION AddHead(ARG_TYPE e) { return InsertBefore(m_head, e); }
    POSITION AddTail(ARG_TYPE e) { return InsertAfter(m_tail, e); }

    TYPE RemoveHead()
    {
        TYPE v = NodeOf(m_head)->data;
        RemoveAt(m_head);
        return v;
    }
    TYPE RemoveTail()
    {
        TYPE v = NodeOf(m_tail)->data;
        RemoveAt(m_tail);
        return v;
    }

    POSITION GetHeadPosition() const { return m_head; }
    POSITION GetTailPosition() const { return m_tail; }

    TYPE& GetNext(POSITION& pos)
    {
        Node* n = NodeOf(pos);
        pos = n->next;
        return n->data;
    }
    const TYPE& GetNext(POSITION& pos) const
    {
        Node* n = NodeOf(pos);
        pos = n->next;
        return n->data;
    }
    TYPE& GetPrev(POSITION& pos)
    {
        Node* n = NodeOf(pos);
        pos = n->prev;
        return n->data;
    }
    const TYPE& GetPrev(POSITION& pos) const
    {
        Node* n = NodeOf(pos);
        pos = n->prev;
        return n->data;
    }
    TYPE& GetAt(POSITION pos) { return NodeOf(pos)->data; }
    const TYPE& GetAt(POSITION pos) const { return NodeOf(pos)->data; }
    void SetAt(POSITION pos, ARG_TYPE e) { NodeOf(pos)->data = e; }

    POSITION InsertBefore(POSITION pos, ARG_TYPE e)
    {
        Node* n = new Node;
        n->data = e;
        Node* at = static_cast<Node*>(pos);
        if (!at)
        {
            n->next = static_cast<Node*>(m_head);
            if (m_head)
                static_cast<Node*>(m_head)->prev = n;
            else
                m_tail = n;
            m_head = n;
        }
        else
        {
            n->next = at;
            n->prev = at->prev;
            if (at->prev)
                at->prev->next = n;
            else
                m_head = n;
            at->prev = n;
        }
        ++m_count;
        return n;
    }

    POSITION InsertAfter(POSITION pos, ARG_TYPE e)
    {
        Node* at = static_cast<Node*>(pos);
        if (!at)
            return InsertBefore(nullptr, e);
        Node* n = new Node;
        n->data = e;
        n->prev = at;
        n->next = at->next;
        if (at->next)
            at->next->prev = n;
        else
            m_tail = n;
        at->next = n;
        ++m_count;
        return n;
    }

    void RemoveAt(POSITION pos)
    {
        Node* n = NodeOf(pos);
        if (n->prev)
            n->prev->next = n->next;
        else
            m_head = n->next;
        if (n->next)
            n->next->prev = n->prev;
        else
            m_tail = n->prev;
        delete n;
        --m_count;
    }

    void RemoveAll()
    {
        Node* n = static_cast<Node*>(m_head);
        while (n)
        {
            Node* next = n->next;
            delete n;
            n = next;
        }
        m_head = m_tail = nullptr;
        m_count = 0;
    }

    POSITION Find(ARG_TYPE e, POSITION after = nullptr) const
    {
        Node* n = after ? static_cast<Node*>(after)->next : static_cast<Node*>(m_head);
        for (; n; n = n->next)
            if (n->data == e)
                return n;
        return nullptr;
    }

    POSITION FindIndex(INT_PTR index) const
    {
        if (index < 0 || index >= m_count)
            return nullptr;
        Node* n = static_cast<Node*>(m_head);
        while (index-- > 0)
            n = n->next;
        return n;
    }

private:
    static Node* NodeOf(POSITION pos)
    {
        if (!pos)
            AfxThrowInvalidArgException();
        return static_cast<Node*>(pos);
    }

    POSITION m_head = nullptr;
    POSITION m_tail = nullptr;
    INT_PTR m_count = 0;
};

class CPtrList : public CList<void*, void*>
{
};
class CObList : public CList<CObject*, CObject*>
{
};
class CStringList : public CList<CString, const char*>
{
};
