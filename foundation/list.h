#pragma once

#include <cstddef>
#include <iterator>

// Doubly linked list of pointers between a head and a tail sentinel, with a
// cursor shared by walking and insertion: the current element is the node
// after the cursor. The list owns its nodes, never its items.
//
// Besides the cursor, a const walk (`for (T item : list)`) reads the items
// from first to last without moving the cursor.
template <typename T>
class List {
    struct Node {
        T item;
        Node* next;
        Node* prev;
    };

public:
    // Walks the items from first to last; moves nothing of the list.
    class ConstIterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = const T*;
        using reference = const T&;

        explicit ConstIterator(const Node* at) : node(at) {}
        const T& operator*() const { return node->item; }
        ConstIterator& operator++() {
            node = node->next;
            return *this;
        }
        bool operator==(const ConstIterator& other) const { return node == other.node; }
        bool operator!=(const ConstIterator& other) const { return node != other.node; }

    private:
        const Node* node;
    };

    List() : head(new Node()), tail(new Node()), cursor(head) {
        head->prev = nullptr;
        head->next = tail;
        tail->prev = head;
        tail->next = nullptr;
    }

    ~List() {
        while (head->next != tail) Unlink(head->next);
        delete head;
        delete tail;
    }

    List(const List&) = delete;
    List& operator=(const List&) = delete;

    ConstIterator begin() const { return ConstIterator(head->next); }
    ConstIterator end() const { return ConstIterator(tail); }
    bool IsEmpty() const { return head->next == tail; }

    void MoveFirst() { cursor = head; }
    bool HasCurrent() const { return cursor->next->next != nullptr; }
    T GetCurrent() const { return cursor->next->item; }
    // Without a current element the cursor stays where it is: it must never
    // rest on the tail sentinel, whose `next` is null.
    void MoveNext() {
        if (HasCurrent()) cursor = cursor->next;
    }

    // Places the item after the current element, or at the end when there is
    // none; the new element becomes current.
    void Insert(T item) {
        Node* node = new Node();
        node->item = item;
        if (HasCurrent()) {
            Node* current = cursor->next;
            node->prev = current;
            node->next = current->next;
            current->next->prev = node;
            current->next = node;
            cursor = current;
        } else {
            node->prev = cursor;
            node->next = tail;
            tail->prev = node;
            cursor->next = node;
        }
    }

    // Takes the first element holding `item` out of the list (the item itself
    // is left alone) and moves the cursor back to the start. False, with
    // nothing moved, when no element holds it.
    bool Remove(T item) {
        for (Node* node = head->next; node != tail; node = node->next) {
            if (node->item != item) continue;
            Unlink(node);
            cursor = head;
            return true;
        }
        return false;
    }

    // Whether an element holds `item`.
    bool Contains(T item) const {
        for (const T& held : *this) {
            if (held == item) return true;
        }
        return false;
    }

private:
    void Unlink(Node* node) {
        node->prev->next = node->next;
        node->next->prev = node->prev;
        delete node;
    }

    Node* head;
    Node* tail;
    Node* cursor;
};
