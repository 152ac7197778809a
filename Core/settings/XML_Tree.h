// XML_Tree: a settings document, built element by element with a cursor on
// the element that is open, or filled by XML_File::ReadXMLFile.
#pragma once

#include "CString.h"
#include "TesLibApi.h"
#include "XML_Node.h"

class TESLIB_API XML_Tree
{
public:
    XML_Tree();
    virtual ~XML_Tree();
    XML_Tree(const XML_Tree&) = delete;
    XML_Tree& operator=(const XML_Tree&) = delete;

    XML_Node* GetRoot() const;

    // Opens an element: the root when the tree is empty, otherwise a new last
    // child of the open element. Once the root has been closed nothing more is
    // added, so a second top-level element is dropped.
    void AddElement(CString strName);

    // Sets the value of the open element ("%d" and "%ld" for the numbers);
    // nothing happens when no element is open.
    void AddValue(CString strValue);
    void AddValue(int nValue);
    void AddValue(long nValue);

    // Closes the open element; its parent becomes the open one.
    void EndElement();

    // The open element, or null when there is none (an empty tree, or the
    // root closed). After reading a file that ends early this is the element
    // the file ended in; it and its ancestors were never closed.
    XML_Node* GetOpenElement() const;

private:
    XML_Node* m_pRoot;
    XML_Node* m_pCursor;
};
