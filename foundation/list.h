#pragma once

// Doubly linked list of pointers between a head and a tail sentinel, with a
// cursor shared by walking and insertion: the current element is the node
// after the cursor. The list owns its nodes, never its items.
template <typename T>
class List {
public:
    struct Node {
        T item;
        Node* next;
        Node* prev;
    };

    Node* head;
    Node* tail;
    Node* cursor;

    List() : head(new Node()), tail(new Node()), cursor(head) {
        head->prev = nullptr;
        head->next = tail;
        tail->prev = head;
        tail->next = nullptr;
    }

    ~List() {
        cursor = head;
        while (head->next != tail) {
            Node* node = cursor->next;
            cursor->next = node->next;
            node->next->prev = cursor;
            delete node;
        }
        delete head;
        delete tail;
    }

    List(const List&) = delete;
    List& operator=(const List&) = delete;

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
};
