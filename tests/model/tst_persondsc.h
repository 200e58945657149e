#pragma once

#include <QObject>

/// Tests of the contact descriptor: identity, names and reading (tst_persondsc.cpp), labelled lists
/// (tst_persondsc_lists.cpp), the other fields and the conversion to and from records
/// (tst_persondsc_fields.cpp).
class TestPersonDsc : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    // Identity.
    void newContactsGetDistinctIdentities();
    void detachedIdentityFromName_data();
    void detachedIdentityFromName();
    void duplicateIsDetachedWithNewIdentity();
    void independentCopyKeepsItsOwnRecord();

    // Names.
    void composedName_data();
    void composedName();
    void phoneticName_data();
    void phoneticName();
    void flagsReadFromRecord_data();
    void flagsReadFromRecord();
    void settingNameWritesFlags_data();
    void settingNameWritesFlags();
    void compositeNameOfCompany();
    void namePartsReachRecord();

    // Reading.
    void readingEmptyEntries();
    void readingRereadsRecord();
    void noteDisabled();

    // Labelled lists.
    void addGivesFreshLabelIndex_data();
    void addGivesFreshLabelIndex();
    void addToBoundListRenumbers();
    void addKeepsEntriesOfFreshlyBoundRecord();
    void writingBoundListRenumbers();
    void replaceSingleValue_data();
    void replaceSingleValue();
    void replaceSingleValueWithoutMatch();
    void replaceWholeList_data();
    void replaceWholeList();
    void copyLabeledValue_data();
    void copyLabeledValue();
    void sortForLabeledValue_data();
    void sortForLabeledValue();
    void sortEdgeCases();

    // Other fields.
    void setBirthdayValue_data();
    void setBirthdayValue();
    void photoWaitsForSave();
    void setValue_data();
    void setValue();
    void setValueIgnoresWrongKinds();
    void removeValueForIdentifier_data();
    void removeValueForIdentifier();

    // Conversion to and from records.
    void recordRoundTrip();
    void detachedContactRoundTrip();
};
