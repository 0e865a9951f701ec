#pragma once
// Cancels a dataset's pending edit when it goes, unless the edit was posted through it or the guard
// released first: a command that fails half-way through setting a row leaves no half-set row behind,
// for the views to show or a later move to post.

#include "data/Dataset.h"

class PendingEdit
{
public:
    explicit PendingEdit(Dataset &ds) : m_ds(&ds) {}
    ~PendingEdit()
    {
        if (m_ds)
            m_ds->cancel(); // nothing to do when no edit is pending
    }
    PendingEdit(const PendingEdit &) = delete;
    PendingEdit &operator=(const PendingEdit &) = delete;

    // Posts the edit; a post that fails leaves it to be cancelled.
    void post()
    {
        m_ds->post();
        m_ds = nullptr;
    }
    // The work went through (its rows posted on the way): nothing is left to cancel.
    void release() { m_ds = nullptr; }

private:
    Dataset *m_ds;
};
