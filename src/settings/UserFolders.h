#pragma once
// The shell's user folders and folder creation, as the settings need them.
#include <set>
#include <string>

class IUserFolders {
public:
    virtual ~IUserFolders() = default;
    virtual bool GetDocumentsFolder(std::string& folder) = 0;
    // Creates the folder and every missing parent; failures are not reported.
    virtual void CreateFolderWithParents(const std::string& folder) = 0;
};

class CFakeUserFolders : public IUserFolders {
public:
    bool GetDocumentsFolder(std::string& folder) override {
        ++m_documentQueries;
        folder = m_documents;
        return m_hasDocuments;
    }
    void CreateFolderWithParents(const std::string& folder) override { m_created.insert(folder); }
    std::string m_documents = "C:\\Users\\A\\Documents";
    bool m_hasDocuments = true;
    int m_documentQueries = 0;
    std::set<std::string> m_created;
};
