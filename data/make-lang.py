#!/usr/bin/env python3
"""Writes lang.fil: one line per entry, Windows-1252, CR LF line ends.

Columns: English, Portuguese, German, French, Swedish, (empty), Dutch.
Run from anywhere: python3 data/make-lang.py
"""
import os

# entry: (English, Portuguese, German, French, Swedish, Dutch)
ENTRIES = [
    # 0: read and not used
    ("English", "Português", "Deutsch", "Français", "Svenska", "Nederlands"),
    ("Menu", "Menu", "Menü", "Menu", "Meny", "Menu"),
    ("Open File List", "Abrir lista de ficheiros", "Dateiliste öffnen",
     "Ouvrir la liste de fichiers", "Öppna fillista", "Bestandslijst openen"),
    ("View list", "Ver lista", "Liste anzeigen", "Afficher la liste", "Visa lista",
     "Lijst bekijken"),
    ("Locate the file list on your computer where you saved it",
     "Procure a lista de ficheiros no computador, onde a guardou",
     "Suchen Sie die Dateiliste auf Ihrem Computer dort, wo Sie sie gespeichert haben",
     "Retrouvez la liste de fichiers à l'endroit où vous l'avez enregistrée",
     "Leta upp fillistan på datorn där du sparade den",
     "Zoek de bestandslijst op uw computer op waar u die hebt opgeslagen"),
    ("Folders", "Pastas", "Ordner", "Dossiers", "Mappar", "Mappen"),
    ("Files", "Ficheiros", "Dateien", "Fichiers", "Filer", "Bestanden"),
    ("Size", "Tamanho", "Größe", "Taille", "Storlek", "Grootte"),
    # 8: status line after a language change
    ("Language changed", "Idioma alterado", "Sprache geändert", "Langue modifiée",
     "Språket har ändrats", "Taal gewijzigd"),
    ("Folder Structure ", "Estrutura de pastas ", "Ordnerstruktur ",
     "Arborescence des dossiers ", "Mappstruktur ", "Mappenstructuur "),
    ("Path\\Filename", "Caminho\\Nome do ficheiro", "Pfad\\Dateiname",
     "Chemin\\Nom de fichier", "Sökväg\\Filnamn", "Pad\\Bestandsnaam"),
    # 11 to 14: file grid headers
    ("Name", "Nome", "Name", "Nom", "Namn", "Naam"),
    ("Modified", "Modificado", "Geändert", "Modifié", "Ändrad", "Gewijzigd"),
    ("Size", "Tamanho", "Größe", "Taille", "Storlek", "Grootte"),
    ("Status", "Estado", "Status", "État", "Status", "Status"),
    (" Filter", " Filtro", " Filter", " Filtre", " Filter", " Filter"),
    ("Term", "Termo", "Begriff", "Terme", "Sökord", "Zoekterm"),
    ("Search", "Procurar", "Suchen", "Rechercher", "Sök", "Zoeken"),
    # 18: not used
    ("(not used)", "(não usado)", "(nicht verwendet)", "(non utilisé)", "(används ej)",
     "(niet gebruikt)"),
    ("Search by Date", "Procurar por data", "Nach Datum suchen", "Recherche par date",
     "Sök efter datum", "Zoeken op datum"),
    ("From", "De", "Von", "Du", "Från", "Van"),
    ("To", "Até", "Bis", "Au", "Till", "Tot"),
    ("Search", "Procurar", "Suchen", "Rechercher", "Sök", "Zoeken"),
    ("File Details", "Detalhes dos ficheiros", "Dateidetails", "Détails des fichiers",
     "Filinformation", "Bestandsdetails"),
    ("Files", "Ficheiros", "Dateien", "Fichiers", "Filer", "Bestanden"),
    ("Size", "Tamanho", "Größe", "Taille", "Storlek", "Grootte"),
    # 26: first hint of the details panel
    ("Select a file to see its details", "Seleccione um ficheiro para ver os detalhes",
     "Wählen Sie eine Datei, um ihre Details zu sehen",
     "Sélectionnez un fichier pour voir ses détails", "Välj en fil för att se detaljer",
     "Selecteer een bestand om de details te zien"),
    ("Modified :", "Modificado :", "Geändert :", "Modifié :", "Ändrad :", "Gewijzigd :"),
    ("Size :", "Tamanho :", "Größe :", "Taille :", "Storlek :", "Grootte :"),
    ("Attributes :", "Atributos :", "Attribute :", "Attributs :", "Attribut :",
     "Kenmerken :"),
    # 30: not used
    ("(not used)", "(não usado)", "(nicht verwendet)", "(non utilisé)", "(används ej)",
     "(niet gebruikt)"),
    # 31: header of the zip member grid
    ("File lists in the zip archive", "Listas de ficheiros no arquivo zip",
     "Dateilisten im Zip-Archiv", "Listes de fichiers dans l'archive zip",
     "Fillistor i zip-arkivet", "Bestandslijsten in het zip-archief"),
    # 32: the picked row is not a file
    ("No details: this is not a file", "Sem detalhes: não é um ficheiro",
     "Keine Details: dies ist keine Datei", "Pas de détails : ce n'est pas un fichier",
     "Inga detaljer: detta är ingen fil", "Geen details: dit is geen bestand"),
    # 33: a zip archive is read or a list is taken from it
    ("Reading the zip archive, please wait...", "A ler o arquivo zip, aguarde...",
     "Zip-Archiv wird gelesen, bitte warten...",
     "Lecture de l'archive zip, veuillez patienter...", "Läser zip-arkivet, vänta...",
     "Zip-archief wordt gelezen, even geduld..."),
    # 34: the loader has read the lines
    ("All lines read, building the folder tree...",
     "Todas as linhas lidas, a criar a árvore de pastas...",
     "Alle Zeilen gelesen, Ordnerbaum wird erstellt...",
     "Toutes les lignes sont lues, création de l'arborescence...",
     "Alla rader lästa, bygger mappträdet...",
     "Alle regels gelezen, mappenstructuur wordt opgebouwd..."),
    # 35: the loader's last sort
    ("Sorting the file list, please wait...", "A ordenar a lista de ficheiros, aguarde...",
     "Dateiliste wird sortiert, bitte warten...",
     "Tri de la liste de fichiers, veuillez patienter...", "Sorterar fillistan, vänta...",
     "Bestandslijst wordt gesorteerd, even geduld..."),
    # 36: a list or a search result is loaded
    ("Loading the file list, please wait...", "A carregar a lista de ficheiros, aguarde...",
     "Dateiliste wird geladen, bitte warten...",
     "Chargement de la liste de fichiers, veuillez patienter...",
     "Läser in fillistan, vänta...", "Bestandslijst wordt geladen, even geduld..."),
    # 37: a zip archive holds lists
    ("File list loaded from the zip archive", "Lista de ficheiros carregada do arquivo zip",
     "Dateiliste aus dem Zip-Archiv geladen", "Liste de fichiers chargée depuis l'archive zip",
     "Fillistan lästes in från zip-arkivet", "Bestandslijst uit het zip-archief geladen"),
    # 38: the word before the match count
    ("Matches", "Resultados", "Treffer", "Résultats", "Träffar", "Treffers"),
    # 39: date search
    ("Searching by date, please wait...", "A procurar por data, aguarde...",
     "Suche nach Datum, bitte warten...", "Recherche par date, veuillez patienter...",
     "Söker efter datum, vänta...", "Zoeken op datum, even geduld..."),
    # 40: the program's name
    ("Corvane", "Corvane", "Corvane", "Corvane", "Corvane", "Corvane"),
    # 41: the quit question
    ("Do you want to quit Corvane?", "Deseja sair do Corvane?", "Möchten Sie Corvane beenden?",
     "Voulez-vous quitter Corvane ?", "Vill du avsluta Corvane?", "Wilt u Corvane afsluiten?"),
    # 42: the result file cannot be written / an extracted list is already there
    ("The file already exists or cannot be overwritten.",
     "O ficheiro já existe ou não pode ser substituído.",
     "Die Datei ist bereits vorhanden oder kann nicht überschrieben werden.",
     "Le fichier existe déjà ou ne peut pas être remplacé.",
     "Filen finns redan eller kan inte skrivas över.",
     "Het bestand bestaat al of kan niet worden overschreven."),
    # 43: the list file cannot be found
    ("The file list cannot be found.", "A lista de ficheiros não foi encontrada.",
     "Die Dateiliste wurde nicht gefunden.", "La liste de fichiers est introuvable.",
     "Fillistan hittades inte.", "De bestandslijst is niet gevonden."),
    ("Languages", "Idiomas", "Sprachen", "Langues", "Språk", "Talen"),
    ("Show Languages", "Mostrar idiomas", "Sprachen anzeigen", "Afficher les langues",
     "Visa språk", "Talen tonen"),
    # 46: hides the languages menu
    ("Hide Languages", "Ocultar idiomas", "Sprachen ausblenden", "Masquer les langues",
     "Dölj språk", "Talen verbergen"),
    ("Reload Filelist", "Recarregar lista de ficheiros", "Dateiliste neu laden",
     "Recharger la liste de fichiers", "Läs in fillistan igen", "Bestandslijst opnieuw laden"),
    ("Exit", "Sair", "Beenden", "Quitter", "Avsluta", "Afsluiten"),
    ("Multiple File Lists in Zip", "Várias listas de ficheiros no zip",
     "Mehrere Dateilisten im Zip", "Plusieurs listes de fichiers dans le zip",
     "Flera fillistor i zip-filen", "Meerdere bestandslijsten in zip"),
    # 50: the approval prompt
    ("To approve this list by e-mail click here ->",
     "Para aprovar esta lista por e-mail clique aqui ->",
     "Um diese Liste per E-Mail zu bestätigen, klicken Sie hier ->",
     "Pour approuver cette liste par e-mail, cliquez ici ->",
     "Klicka här för att godkänna listan via e-post ->",
     "Om deze lijst per email goed te keuren klik hier ->"),
]

# Entries after 50: texts the window needs beyond the first 51. Numbers are
# kept in blocks by subject so that a block can grow without renumbering
# another; a number with no text is written as an empty line of seven columns.
EXTRA = {}

# 51 to 69: the window (stale texts, notes viewer, stopping a load, replace question)

# 70 to 89: loading and archives (warnings, extraction failures)
EXTRA[70] = ("The file list changed while it was read. Only the lines read before the change are shown.",
             "A lista de ficheiros foi alterada durante a leitura. Só são mostradas as linhas lidas antes da alteração.",
             "Die Dateiliste wurde während des Lesens geändert. Es werden nur die vorher gelesenen Zeilen angezeigt.",
             "La liste de fichiers a changé pendant sa lecture. Seules les lignes lues avant ce changement sont affichées.",
             "Fillistan ändrades medan den lästes. Endast raderna som lästes före ändringen visas.",
             "De bestandslijst is gewijzigd tijdens het lezen. Alleen de regels die daarvoor zijn gelezen worden getoond.")
EXTRA[71] = ("This file does not look like a file list: it holds binary data, not text.",
             "Este ficheiro não parece uma lista de ficheiros: contém dados binários, não texto.",
             "Diese Datei sieht nicht wie eine Dateiliste aus: Sie enthält Binärdaten, keinen Text.",
             "Ce fichier ne ressemble pas à une liste de fichiers : il contient des données binaires, pas du texte.",
             "Filen ser inte ut som en fillista: den innehåller binära data, inte text.",
             "Dit bestand lijkt geen bestandslijst: het bevat binaire gegevens, geen tekst.")
EXTRA[72] = ("This file does not look like a file list: none of its first lines reads path, date, size, attributes, status.",
             "Este ficheiro não parece uma lista de ficheiros: nenhuma das primeiras linhas tem caminho, data, tamanho, atributos, estado.",
             "Diese Datei sieht nicht wie eine Dateiliste aus: Keine der ersten Zeilen hat Pfad, Datum, Größe, Attribute, Status.",
             "Ce fichier ne ressemble pas à une liste de fichiers : aucune des premières lignes ne donne chemin, date, taille, attributs, état.",
             "Filen ser inte ut som en fillista: ingen av de första raderna har sökväg, datum, storlek, attribut, status.",
             "Dit bestand lijkt geen bestandslijst: geen van de eerste regels bevat pad, datum, grootte, kenmerken, status.")
EXTRA[73] = ("Load it anyway?", "Carregar mesmo assim?", "Trotzdem laden?", "Le charger quand même ?",
             "Läsa in den ändå?", "Toch laden?")
EXTRA[74] = ("This list unpacks to %1. Unpack it anyway?",
             "Esta lista ocupa %1 depois de extraída. Extrair mesmo assim?",
             "Diese Liste ist entpackt %1 groß. Trotzdem entpacken?",
             "Cette liste occupe %1 une fois décompressée. La décompresser quand même ?",
             "Listan blir %1 när den packas upp. Packa upp den ändå?",
             "Deze lijst wordt uitgepakt %1 groot. Toch uitpakken?")
EXTRA[75] = ("The list could not be unpacked: it is protected by a password.",
             "Não foi possível extrair a lista: está protegida por palavra-passe.",
             "Die Liste konnte nicht entpackt werden: Sie ist durch ein Kennwort geschützt.",
             "La liste n'a pas pu être décompressée : elle est protégée par un mot de passe.",
             "Listan kunde inte packas upp: den är skyddad med lösenord.",
             "De lijst kon niet worden uitgepakt: ze is met een wachtwoord beveiligd.")
EXTRA[76] = ("The list could not be unpacked: the zip archive is damaged.",
             "Não foi possível extrair a lista: o arquivo zip está danificado.",
             "Die Liste konnte nicht entpackt werden: Das Zip-Archiv ist beschädigt.",
             "La liste n'a pas pu être décompressée : l'archive zip est endommagée.",
             "Listan kunde inte packas upp: zip-arkivet är skadat.",
             "De lijst kon niet worden uitgepakt: het zip-archief is beschadigd.")
EXTRA[77] = ("The list could not be unpacked: it is stored in a way Corvane cannot read.",
             "Não foi possível extrair a lista: está guardada de uma forma que o Corvane não consegue ler.",
             "Die Liste konnte nicht entpackt werden: Sie ist in einer Form gespeichert, die Corvane nicht lesen kann.",
             "La liste n'a pas pu être décompressée : elle est enregistrée sous une forme que Corvane ne sait pas lire.",
             "Listan kunde inte packas upp: den är lagrad på ett sätt som Corvane inte kan läsa.",
             "De lijst kon niet worden uitgepakt: ze is opgeslagen op een manier die Corvane niet kan lezen.")
EXTRA[78] = ("The list could not be unpacked: there is not enough free disk space.",
             "Não foi possível extrair a lista: não há espaço livre suficiente no disco.",
             "Die Liste konnte nicht entpackt werden: Es ist nicht genügend freier Speicherplatz vorhanden.",
             "La liste n'a pas pu être décompressée : l'espace disque libre est insuffisant.",
             "Listan kunde inte packas upp: det finns inte tillräckligt med ledigt diskutrymme.",
             "De lijst kon niet worden uitgepakt: er is niet genoeg vrije schijfruimte.")
EXTRA[79] = ("The list could not be unpacked: Corvane's data folder cannot be written.",
             "Não foi possível extrair a lista: não é possível escrever na pasta de dados do Corvane.",
             "Die Liste konnte nicht entpackt werden: In den Datenordner von Corvane kann nicht geschrieben werden.",
             "La liste n'a pas pu être décompressée : le dossier de données de Corvane n'est pas accessible en écriture.",
             "Listan kunde inte packas upp: det går inte att skriva i Corvanes datamapp.",
             "De lijst kon niet worden uitgepakt: er kan niet worden geschreven in de gegevensmap van Corvane.")
EXTRA[80] = ("The list could not be unpacked from the zip archive.",
             "Não foi possível extrair a lista do arquivo zip.",
             "Die Liste konnte nicht aus dem Zip-Archiv entpackt werden.",
             "La liste n'a pas pu être extraite de l'archive zip.",
             "Listan kunde inte packas upp ur zip-arkivet.",
             "De lijst kon niet uit het zip-archief worden uitgepakt.")

# 90 to 109: search and filter

# 110 to 124: approval e-mail and saving a list

# 125 to 139: desktop integration (recent lists, drag and drop)

# 140 to 159: recovery overview
EXTRA[140] = ("Recovery", "Recuperação", "Wiederherstellung", "Récupération", "Återställning",
              "Herstel")
EXTRA[141] = ("other", "outros", "andere", "autres", "övriga", "overige")
EXTRA[142] = ("unknown", "desconhecido", "unbekannt", "inconnu", "okänt", "onbekend")
EXTRA[143] = ("Click a status to show only its files.",
              "Clique num estado para mostrar apenas os seus ficheiros.",
              "Klicken Sie auf einen Status, um nur seine Dateien anzuzeigen.",
              "Cliquez sur un état pour n'afficher que ses fichiers.",
              "Klicka på en status för att bara visa dess filer.",
              "Klik op een status om alleen de bijbehorende bestanden te tonen.")
EXTRA[144] = ("Columns", "Colunas", "Spalten", "Colonnes", "Kolumner", "Kolommen")


def main():
    assert len(ENTRIES) == 51, len(ENTRIES)
    last = max(EXTRA, default=50)
    assert min(EXTRA, default=51) > 50
    entries = list(ENTRIES) + [EXTRA.get(n, ("",) * 6) for n in range(51, last + 1)]
    lines = []
    for number, texts in enumerate(entries):
        assert len(texts) == 6, number
        for text in texts:
            assert "+" not in text and "\r" not in text and "\n" not in text, number
        en, pt, de, fr, sv, nl = texts
        lines.append("+".join([en, pt, de, fr, sv, "", nl]))
    data = ("\r\n".join(lines) + "\r\n").encode("cp1252")
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "lang.fil")
    with open(path, "wb") as out:
        out.write(data)


if __name__ == "__main__":
    main()
