<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_TW">
<context>
    <name>AboutText</name>
    <message>
        <source>本程式可以協助您</source>
        <translation>This program helps you</translation>
    </message>
    <message>
        <source>&#x3000;1.繪製實體關聯模式</source>
        <translation>&#x3000;1. draw entity-relationship diagrams</translation>
    </message>
    <message>
        <source>&#x3000;2.產生關聯模式</source>
        <translation>&#x3000;2. derive the relational schema</translation>
    </message>
    <message>
        <source>對本程式的任何指教, 歡迎 Email 至 </source>
        <translation>Comments and suggestions are welcome by email to </translation>
    </message>
    <message>
        <source>, 謝謝</source>
        <translation>. Thank you</translation>
    </message>
    <message>
        <source>功能1注意事項:</source>
        <translation>Notes on drawing:</translation>
    </message>
    <message>
        <source>&#x3000;1.您可以使用 File-&gt;Capture 將繪製完成的ERD, 存放於記憶體中</source>
        <translation>&#x3000;1. File-&gt;Capture copies the finished ERD to the clipboard</translation>
    </message>
    <message>
        <source>&#x3000;2.您可以使用 File-&gt;Set 改變操作的環境</source>
        <translation>&#x3000;2. File-&gt;Set changes the working environment</translation>
    </message>
    <message>
        <source>功能2注意事項:</source>
        <translation>Notes on the relational schema:</translation>
    </message>
    <message>
        <source>&#x3000;1.如果您要用本程式自動產生關聯模式, 您必須先安裝Excel</source>
        <translation>&#x3000;1. To view the relational schema this program derives, you need a spreadsheet program</translation>
    </message>
    <message>
        <source>&#x3000;2.在一般環境設定中, 您必須選用增強模式</source>
        <translation>&#x3000;2. In the General options, choose the enhanced mode</translation>
    </message>
    <message>
        <source>&#x3000;3.基數比與參與度，增強模式採用課本p61下方之表示法, 預設值為 (0,N)</source>
        <translation>&#x3000;3. The enhanced mode writes cardinality and participation as (min,max), the notation on p. 61 of the textbook; the default is (0,N)</translation>
    </message>
    <message>
        <source>&#x3000;  若該實體為完全參與, 則 min 值為1</source>
        <translation>&#x3000;  When the entity participates totally, min is 1</translation>
    </message>
    <message>
        <source>&#x3000;4.雙直線所代表的意義為識別關係型態之指定, 基數比與參與度必為 (1,N)</source>
        <translation>&#x3000;4. A double line marks an identifying relationship; its cardinality and participation must be (1,N)</translation>
    </message>
    <message>
        <source>&#x3000;5.所產生之關聯將存放於Excel中, 部份關聯可能彼此重疊, 請搬移檢視</source>
        <translation>&#x3000;5. The derived relations are written to a workbook; some may overlap, move them to view them</translation>
    </message>
    <message>
        <source>版本 </source>
        <translation>Version </translation>
    </message>
</context>
<context>
    <name>Arrangement</name>
    <message>
        <source>靠左對齊</source>
        <translation>Align Left</translation>
    </message>
    <message>
        <source>水平置中對齊</source>
        <translation>Align Centres</translation>
    </message>
    <message>
        <source>靠右對齊</source>
        <translation>Align Right</translation>
    </message>
    <message>
        <source>靠上對齊</source>
        <translation>Align Top</translation>
    </message>
    <message>
        <source>垂直置中對齊</source>
        <translation>Align Middles</translation>
    </message>
    <message>
        <source>靠下對齊</source>
        <translation>Align Bottom</translation>
    </message>
    <message>
        <source>水平均分</source>
        <translation>Distribute Horizontally</translation>
    </message>
    <message>
        <source>垂直均分</source>
        <translation>Distribute Vertically</translation>
    </message>
</context>
<context>
    <name>Arranging</name>
    <message>
        <source>排列屬性</source>
        <translation>Arrange Attributes</translation>
    </message>
    <message>
        <source>排列全圖</source>
        <translation>Arrange Diagram</translation>
    </message>
</context>
<context>
    <name>CheckDiagram</name>
    <message>
        <source>目前沒有任何資料</source>
        <translation>The diagram is empty</translation>
    </message>
    <message>
        <source>實體 %1 沒有設定主鍵</source>
        <translation>Entity %1 has no primary key</translation>
    </message>
    <message>
        <source>屬性 %1 未設定擁有者!</source>
        <translation>Attribute %1 has no owner!</translation>
    </message>
    <message>
        <source>關聯實體 %1 的關聯數至少應是 2 個</source>
        <translation>Relationship %1 must connect at least 2 entities</translation>
    </message>
    <message>
        <source>Entity %1 與 Relationship %2 之間為弱實體關係, 參與度必須為 1,N</source>
        <translation>Entity %1 and Relationship %2 form an identifying relationship; the participation must be 1,N</translation>
    </message>
    <message>
        <source>Entity %1 與 Relationship %2 之間的參與度未設定, 已更改為預設值 0,N</source>
        <translation>The participation between Entity %1 and Relationship %2 was not set; it has been set to the default 0,N</translation>
    </message>
    <message>
        <source>Entity %1 與 Relationship %2 為遞迴關係, 請設定角色</source>
        <translation>Entity %1 and Relationship %2 form a recursive relationship; please set the roles</translation>
    </message>
    <message>
        <source>特殊化 %1 必須恰有一個超類別, 並至少有一個子類別</source>
        <translation>Specialization %1 must have exactly one superclass and at least one subclass</translation>
    </message>
    <message>
        <source>%1 的特殊化的定義屬性 %2 不是 %1 的屬性</source>
        <translation>The defining attribute %2 of the specialization of %1 is not an attribute of %1</translation>
    </message>
    <message>
        <source>%1 的特殊化是部分特殊化, 不能用 8B 對映: 不屬任何子類別的 %1 會沒有關聯可放</source>
        <translation>The specialization of %1 is partial and cannot be mapped by 8B: an %1 in no subclass would have no relation to go to</translation>
    </message>
    <message>
        <source>%1 的特殊化不能用 8B 對映: 8B 不給 %1 自己的關聯, 但 %1 還參與關係、擁有弱實體或多值屬性、或屬其他特殊化或類別, 需要一個關聯供參照</source>
        <translation>The specialization of %1 cannot be mapped by 8B: 8B gives %1 no relation of its own, but %1 also takes part in relationships, owns weak entities or multivalued attributes, or belongs to other specializations or categories, and needs a relation to be referenced</translation>
    </message>
    <message>
        <source>%1 的特殊化是重疊的, 不能用 8C 對映: 一個類型屬性只能記錄一個子類別</source>
        <translation>The specialization of %1 is overlapping and cannot be mapped by 8C: one type attribute can record only one subclass</translation>
    </message>
    <message>
        <source>類別 %1 必須有至少兩個超類別, 並恰有一個子類別</source>
        <translation>Category %1 must have at least two superclasses and exactly one subclass</translation>
    </message>
    <message>
        <source>實體 %1 是類別 %2 的超類別, 必須設定主鍵</source>
        <translation>Entity %1 is a superclass of category %2 and must have a primary key</translation>
    </message>
    <message>
        <source>類別形成循環, %1 成為自己的子類別: %2</source>
        <translation>The classes form a cycle, %1 becomes a subclass of itself: %2</translation>
    </message>
</context>
<context>
    <name>ClassLinks</name>
    <message>
        <source>無</source>
        <translation>none</translation>
    </message>
</context>
<context>
    <name>CommandScope</name>
    <message>
        <source>編輯</source>
        <translation>Edit</translation>
    </message>
</context>
<context>
    <name>Comparison</name>
    <message>
        <source>%1 來自%2, 應成為獨立的關聯</source>
        <translation>%1 comes from %2 and should be a relation of its own</translation>
    </message>
    <message>
        <source>%1 在參考答案中沒有對應的關聯</source>
        <translation>%1 has no matching relation in the reference answer</translation>
    </message>
    <message>
        <source>%1 的主鍵應為 %2, 目前為 %3</source>
        <translation>The primary key of %1 should be %2; it is %3</translation>
    </message>
    <message>
        <source>%1 缺少參考 %2 的外鍵 %3</source>
        <translation>%1 lacks the foreign key %3 referencing %2</translation>
    </message>
    <message>
        <source>%1 缺少欄位 %2</source>
        <translation>%1 lacks the column %2</translation>
    </message>
    <message>
        <source>%1.%2 應為參考 %3 的外鍵</source>
        <translation>%1.%2 should be a foreign key referencing %3</translation>
    </message>
    <message>
        <source>%1.%2 在參考答案中不是外鍵</source>
        <translation>%1.%2 is not a foreign key in the reference answer</translation>
    </message>
    <message>
        <source>%1.%2 應參考 %3, 目前參考 %4</source>
        <translation>%1.%2 should reference %3; it references %4</translation>
    </message>
    <message>
        <source>%1 多出參考 %2 的外鍵 %3</source>
        <translation>%1 has an extra foreign key %3 referencing %2</translation>
    </message>
    <message>
        <source>%1 多出欄位 %2</source>
        <translation>%1 has an extra column %2</translation>
    </message>
    <message>
        <source>缺少關聯</source>
        <translation>Missing relations</translation>
    </message>
    <message>
        <source>多出的關聯</source>
        <translation>Extra relations</translation>
    </message>
    <message>
        <source>缺少欄位</source>
        <translation>Missing columns</translation>
    </message>
    <message>
        <source>多出的欄位</source>
        <translation>Extra columns</translation>
    </message>
    <message>
        <source>主鍵不同</source>
        <translation>Different primary keys</translation>
    </message>
    <message>
        <source>缺少外鍵</source>
        <translation>Missing foreign keys</translation>
    </message>
    <message>
        <source>多出的外鍵</source>
        <translation>Extra foreign keys</translation>
    </message>
    <message>
        <source>外鍵參考不同</source>
        <translation>Different foreign key targets</translation>
    </message>
    <message>
        <source>參與條件不同</source>
        <translation>Different participation</translation>
    </message>
    <message>
        <source>弱實體不同</source>
        <translation>Different weak entities</translation>
    </message>
    <message>
        <source>多值屬性不同</source>
        <translation>Different multivalued attributes</translation>
    </message>
    <message>
        <source>%1.%2 應參考 %3.%4, 目前參考 %3.%5</source>
        <translation>%1.%2 should reference %3.%4; it references %3.%5</translation>
    </message>
    <message>
        <source>等價的設計</source>
        <translation>Equivalent design</translation>
    </message>
    <message>
        <source>分數 = 100 − 計分差異的扣分總和 (每項依評分標準的類別扣分), 最低為 0; 隨另一項差異而來的差異與等價的設計不扣分</source>
        <translation>Score = 100 − the sum of the costs of the counted differences (each costs what the rubric sets for its category), at least 0; differences that follow from another and equivalent designs cost nothing</translation>
    </message>
    <message>
        <source>未通過檢查</source>
        <translation>Fails validation</translation>
    </message>
    <message>
        <source>特殊化或類別不同</source>
        <translation>Different specializations or categories</translation>
    </message>
</context>
<context>
    <name>Connecting</name>
    <message>
        <source>連線數量已達上限, 無法再新增連線</source>
        <translation>The largest number of connectors has been reached; no more connectors can be added</translation>
    </message>
    <message>
        <source>請選定屬性的 Entity</source>
        <translation>Please select the Entity of the attribute</translation>
    </message>
    <message>
        <source>請選定 Relationship 的第一個 Entity</source>
        <translation>Please select the first Entity of the Relationship</translation>
    </message>
    <message>
        <source>請選定 Attribute</source>
        <translation>Please select an Attribute</translation>
    </message>
    <message>
        <source>屬性 %1 已屬於 %2</source>
        <translation>Attribute %1 already belongs to %2</translation>
    </message>
    <message>
        <source>連線 %1 - %2</source>
        <translation>Connect %1 - %2</translation>
    </message>
    <message>
        <source>請選定 Relationship</source>
        <translation>Please select a Relationship</translation>
    </message>
    <message>
        <source>請選定 Relationship 的第二個 Entity</source>
        <translation>Please select the second Entity of the Relationship</translation>
    </message>
    <message>
        <source>Entity %1 已與 Relationship %2 建立關係, 請選擇其他 Entity</source>
        <translation>Entity %1 is already connected to Relationship %2; please choose another Entity</translation>
    </message>
    <message>
        <source>Relationship %1 不能作為 %2 的識別關係型態</source>
        <translation>Relationship %1 cannot be the identifying relationship of %2</translation>
    </message>
    <message>
        <source>弱實體 </source>
        <translation>Weak entity </translation>
    </message>
    <message>
        <source>無</source>
        <translation>none</translation>
    </message>
    <message>
        <source>RelationshipType元素: </source>
        <translation>RelationshipType elements: </translation>
    </message>
    <message>
        <source>相關的Entity元素: </source>
        <translation>Related Entity elements: </translation>
    </message>
    <message>
        <source>移動 %1 個元素</source>
        <translation>Move %1 elements</translation>
    </message>
    <message>
        <source>移動 </source>
        <translation>Move </translation>
    </message>
    <message>
        <source>父類別: </source>
        <translation>Superclasses: </translation>
    </message>
    <message>
        <source>子類別: </source>
        <translation>Subclasses: </translation>
    </message>
</context>
<context>
    <name>ConnectionFields</name>
    <message>
        <source>PostgreSQL 的 Data Source 應寫成 主機[:埠]/資料庫名稱</source>
        <translation>For PostgreSQL, write the Data Source as host[:port]/database</translation>
    </message>
    <message>
        <source>連線設定無法使用: </source>
        <translation>The connection settings cannot be used: </translation>
    </message>
</context>
<context>
    <name>Convert</name>
    <message>
        <source>轉換只能在增強模式 (min,max 表示法) 下進行</source>
        <translation>Conversion works only in the enhanced mode (min,max notation)</translation>
    </message>
</context>
<context>
    <name>Creation</name>
    <message>
        <source>元素數量已達上限 %1, 無法再新增元素</source>
        <translation>The largest number of elements (%1) has been reached; no more elements can be added</translation>
    </message>
    <message>
        <source>建立 </source>
        <translation>Create </translation>
    </message>
    <message>
        <source>請先產生 Entity, 再進行設定</source>
        <translation>Please create an Entity first</translation>
    </message>
    <message>
        <source>請先產生 Relationship, 再進行設定</source>
        <translation>Please create a Relationship first</translation>
    </message>
    <message>
        <source>類型 </source>
        <translation>Type </translation>
    </message>
    <message>
        <source>主鍵 </source>
        <translation>Primary key </translation>
    </message>
    <message>
        <source>請選定此 WeakEntityType 的識別關係型態</source>
        <translation>Please select the identifying relationship of this WeakEntityType</translation>
    </message>
    <message>
        <source>請透過 WeakEntity 的設定, 來解除 WeakRelationship</source>
        <translation>A WeakRelationship is removed through the settings of its WeakEntity</translation>
    </message>
    <message>
        <source>請透過 WeakEntity 的設定, 來設定 WeakRelationship</source>
        <translation>A WeakRelationship is set through the settings of its WeakEntity</translation>
    </message>
</context>
<context>
    <name>Deletion</name>
    <message>
        <source>弱實體型態不可直接刪除, 請先更新為實體型態(未確定)</source>
        <translation>A weak entity cannot be deleted directly; change it to an entity (not identified) first</translation>
    </message>
    <message>
        <source>識別關係型態 </source>
        <translation>Identifying relationship </translation>
    </message>
    <message>
        <source> 不可直接刪除, 請先作弱實體型態的更新</source>
        <translation> cannot be deleted directly; change its weak entity first</translation>
    </message>
    <message>
        <source>下列元素未刪除:</source>
        <translation>These elements were not deleted:</translation>
    </message>
    <message>
        <source>刪除 </source>
        <translation>Delete </translation>
    </message>
    <message>
        <source> 的連線不可直接刪除, 請先作弱實體型態的更新</source>
        <translation>: its connectors cannot be deleted directly; change its weak entity first</translation>
    </message>
    <message>
        <source>刪除 連線</source>
        <translation>Delete connector</translation>
    </message>
    <message>
        <source>刪除 %1 個元素</source>
        <translation>Delete %1 elements</translation>
    </message>
</context>
<context>
    <name>DiagramWarnings</name>
    <message>
        <source>%1 與另一個%2同名</source>
        <translation>%1 has the same name as another %2</translation>
    </message>
    <message>
        <source>實體</source>
        <translation>entity</translation>
    </message>
    <message>
        <source>關係</source>
        <translation>relationship</translation>
    </message>
    <message>
        <source>%1 有兩個名為 %2 的屬性</source>
        <translation>%1 has two attributes named %2</translation>
    </message>
    <message>
        <source>弱實體 %1 沒有自己的部分鍵</source>
        <translation>Weak entity %1 has no partial key of its own</translation>
    </message>
    <message>
        <source>關係 %1 是多對多關係, 兩邊都是完全參與, 請再確認</source>
        <translation>Relationship %1 is many-to-many with total participation on both sides; please check</translation>
    </message>
    <message>
        <source>Entity %1 與 Relationship %2 之間的參與度 %3 最小值大於最大值</source>
        <translation>The participation %3 between Entity %1 and Relationship %2 has a minimum greater than its maximum</translation>
    </message>
</context>
<context>
    <name>DialogProgress</name>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>DialogPrompts</name>
    <message>
        <source>儲存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>不儲存</source>
        <translation>Don&apos;t Save</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>儲存為草稿</source>
        <translation>Save as draft</translation>
    </message>
</context>
<context>
    <name>Editing</name>
    <message>
        <source>Entity的名稱為...</source>
        <translation>Name of the Entity...</translation>
    </message>
    <message>
        <source>Name for Entity</source>
        <translation>Name for Entity</translation>
    </message>
    <message>
        <source>Attribute的名稱為...</source>
        <translation>Name of the Attribute...</translation>
    </message>
    <message>
        <source>Name for Attribute</source>
        <translation>Name for Attribute</translation>
    </message>
    <message>
        <source>Relationship的名稱為...</source>
        <translation>Name of the Relationship...</translation>
    </message>
    <message>
        <source>Name for Relationship</source>
        <translation>Name for Relationship</translation>
    </message>
    <message>
        <source>重新命名 </source>
        <translation>Rename </translation>
    </message>
    <message>
        <source>鎖定大小 </source>
        <translation>Lock size </translation>
    </message>
    <message>
        <source>放大 </source>
        <translation>Enlarge </translation>
    </message>
    <message>
        <source>縮小 </source>
        <translation>Shrink </translation>
    </message>
    <message>
        <source>請勿選擇 候選色!</source>
        <translation>Please do not choose the candidate colour!</translation>
    </message>
    <message>
        <source>請勿選擇 已選色!</source>
        <translation>Please do not choose the selection colour!</translation>
    </message>
    <message>
        <source>顏色 </source>
        <translation>Colour </translation>
    </message>
</context>
<context>
    <name>ElementMenus</name>
    <message>
        <source>不相交 (d)</source>
        <translation>Disjoint (d)</translation>
    </message>
    <message>
        <source>重疊 (o)</source>
        <translation>Overlapping (o)</translation>
    </message>
    <message>
        <source>全部 (total)</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>部分 (partial)</source>
        <translation>Partial</translation>
    </message>
    <message>
        <source>對映 %1</source>
        <translation>Mapping %1</translation>
    </message>
    <message>
        <source>定義屬性...</source>
        <translation>Defining Attribute...</translation>
    </message>
    <message>
        <source>刪除</source>
        <translation>Delete</translation>
    </message>
</context>
<context>
    <name>ErComparison</name>
    <message>
        <source>%1 在參考答案是弱實體, 這裡畫成一般實體</source>
        <translation>%1 is a weak entity in the reference answer but is drawn as a regular entity here</translation>
    </message>
    <message>
        <source>%1 在參考答案是一般實體, 這裡畫成弱實體</source>
        <translation>%1 is a regular entity in the reference answer but is drawn as a weak entity here</translation>
    </message>
    <message>
        <source>%1 在參考答案是多值屬性, 這裡畫成單值屬性</source>
        <translation>%1 is a multivalued attribute in the reference answer but is drawn as single-valued here</translation>
    </message>
    <message>
        <source>%1 在參考答案是單值屬性, 這裡畫成多值屬性</source>
        <translation>%1 is a single-valued attribute in the reference answer but is drawn as multivalued here</translation>
    </message>
    <message>
        <source>%1 中 %2 的參與應為 %3, 目前為 %4</source>
        <translation>In %1 the participation of %2 should be %3; it is %4</translation>
    </message>
    <message>
        <source>類別 %1</source>
        <translation>category %1</translation>
    </message>
    <message>
        <source>%1 的特殊化</source>
        <translation>the specialization of %1</translation>
    </message>
    <message>
        <source>缺少 %1</source>
        <translation>Missing %1</translation>
    </message>
    <message>
        <source>%1 在參考答案是類別 (∪), 這裡畫成特殊化</source>
        <translation>%1 is a category (∪) in the reference answer; here it is drawn as a specialization</translation>
    </message>
    <message>
        <source>%1 在參考答案是特殊化, 這裡畫成類別 (∪)</source>
        <translation>%1 is a specialization in the reference answer; here it is drawn as a category (∪)</translation>
    </message>
    <message>
        <source>%1在參考答案是 %2, 這裡是 %3</source>
        <translation>%1 is %2 in the reference answer; here it is %3</translation>
    </message>
    <message>
        <source>%1在參考答案是全部參與 (雙線), 這裡是部分參與</source>
        <translation>%1 is total (double line) in the reference answer; here it is partial</translation>
    </message>
    <message>
        <source>%1在參考答案是部分參與, 這裡是全部參與 (雙線)</source>
        <translation>%1 is partial in the reference answer; here it is total (double line)</translation>
    </message>
    <message>
        <source>%1在參考答案有 %2 個超類別, 這裡有 %3 個</source>
        <translation>%1 has %2 superclasses in the reference answer; here it has %3</translation>
    </message>
    <message>
        <source>%1在參考答案有 %2 個子類別, 這裡有 %3 個</source>
        <translation>%1 has %2 subclasses in the reference answer; here it has %3</translation>
    </message>
</context>
<context>
    <name>ExplanationSheet</name>
    <message>
        <source>實體</source>
        <translation>Entity</translation>
    </message>
    <message>
        <source>弱實體</source>
        <translation>Weak entity</translation>
    </message>
    <message>
        <source>屬性</source>
        <translation>Attribute</translation>
    </message>
    <message>
        <source>多值屬性</source>
        <translation>Multivalued attribute</translation>
    </message>
    <message>
        <source>關係</source>
        <translation>Relationship</translation>
    </message>
    <message>
        <source>識別關係</source>
        <translation>Identifying relationship</translation>
    </message>
    <message>
        <source>元素</source>
        <translation>Element</translation>
    </message>
    <message>
        <source>對映說明</source>
        <translation>Mapping notes</translation>
    </message>
    <message>
        <source>關聯</source>
        <translation>Relation</translation>
    </message>
    <message>
        <source>欄位</source>
        <translation>Column</translation>
    </message>
    <message>
        <source>主鍵</source>
        <translation>Primary key</translation>
    </message>
    <message>
        <source>外鍵</source>
        <translation>Foreign key</translation>
    </message>
    <message>
        <source>參照關聯</source>
        <translation>Referenced relation</translation>
    </message>
    <message>
        <source>參照欄位</source>
        <translation>Referenced column</translation>
    </message>
    <message>
        <source>來源元素</source>
        <translation>Source element</translation>
    </message>
    <message>
        <source>規則</source>
        <translation>Rule</translation>
    </message>
    <message>
        <source>說明</source>
        <translation>Explanation</translation>
    </message>
    <message>
        <source>特殊化</source>
        <translation>Specialization</translation>
    </message>
    <message>
        <source>類別</source>
        <translation>Category</translation>
    </message>
</context>
<context>
    <name>FindWindow</name>
    <message>
        <source>尋找</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>輸入名稱的一部分</source>
        <translation>Type part of a name</translation>
    </message>
    <message>
        <source>找到 %1 個元素</source>
        <translation>%1 element(s) found</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>開新圖形</source>
        <translation>New Diagram</translation>
    </message>
    <message>
        <source>匯出專案檔...</source>
        <translation>Export Project File...</translation>
    </message>
    <message>
        <source>匯入專案檔...</source>
        <translation>Import Project File...</translation>
    </message>
    <message>
        <source>匯出 SQL...</source>
        <translation>Export SQL...</translation>
    </message>
    <message>
        <source>與參考答案比較...</source>
        <translation>Compare with Reference Answer...</translation>
    </message>
    <message>
        <source>編輯</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>復原</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>刪除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>全選</source>
        <translation>Select All</translation>
    </message>
    <message>
        <source>檢視</source>
        <translation>View</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>縮小</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>實際大小</source>
        <translation>Actual Size</translation>
    </message>
    <message>
        <source>元素標示</source>
        <translation>Element marks</translation>
    </message>
    <message>
        <source>已選元素</source>
        <translation>Selected</translation>
    </message>
    <message>
        <source>候選元素</source>
        <translation>Candidate</translation>
    </message>
    <message>
        <source>圖形已複製到剪貼簿</source>
        <translation>The diagram was copied to the clipboard</translation>
    </message>
    <message>
        <source>目前沒有任何元素可以擷取</source>
        <translation>There are no elements to capture</translation>
    </message>
    <message>
        <source>匯出圖片...</source>
        <translation>Export Picture...</translation>
    </message>
    <message>
        <source>最近的專案</source>
        <translation>Recent projects</translation>
    </message>
    <message>
        <source>儲存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>另存新檔...</source>
        <translation>Save As...</translation>
    </message>
    <message>
        <source>未命名</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source> (草稿)</source>
        <translation> (draft)</translation>
    </message>
    <message>
        <source>新增實體</source>
        <translation>New entity</translation>
    </message>
    <message>
        <source>弱實體: 先新增實體並連上識別關係, 再在實體的右鍵選單選 WeakEnitty, 然後點選那個關係</source>
        <translation>Weak entity: create an entity and join it to its identifying relationship, then choose WeakEnitty in the entity&apos;s right-click menu and click that relationship</translation>
    </message>
    <message>
        <source>新增屬性</source>
        <translation>New attribute</translation>
    </message>
    <message>
        <source>新增多值屬性</source>
        <translation>New multivalued attribute</translation>
    </message>
    <message>
        <source>新增關係</source>
        <translation>New relationship</translation>
    </message>
    <message>
        <source>識別關係: 設定弱實體時, 點選的關係會成為識別關係</source>
        <translation>Identifying relationship: the relationship clicked when you make a weak entity becomes one</translation>
    </message>
    <message>
        <source>刪除選取的元素</source>
        <translation>Delete the selected elements</translation>
    </message>
    <message>
        <source>說明</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>使用說明</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>快速鍵</source>
        <translation>Keyboard shortcuts</translation>
    </message>
    <message>
        <source>檢查圖形後儲存為專案</source>
        <translation>Check the diagram, then save it as a project</translation>
    </message>
    <message>
        <source>結束進行中的連線 (Set Attribute、Set Relationship), 取消選取</source>
        <translation>End the running connection (Set Attribute, Set Relationship) and clear the selection</translation>
    </message>
    <message>
        <source>載入已儲存的專案</source>
        <translation>Load a saved project</translation>
    </message>
    <message>
        <source>檢查圖形後轉換為關聯綱要, 寫成活頁簿 (min,max 表示法才可使用)</source>
        <translation>Check the diagram, then convert it into relations written to a workbook (min,max notation only)</translation>
    </message>
    <message>
        <source>以目前設定的內距重新繪製每個元素</source>
        <translation>Draw every element again with the spacing now set</translation>
    </message>
    <message>
        <source>依名稱調整每個未鎖定大小的元素, 連線隨之重排</source>
        <translation>Fit every element whose size is not locked to its name; the lines follow</translation>
    </message>
    <message>
        <source>Esc 或 Cancel 結束連線</source>
        <translation>Esc or Cancel ends the connection</translation>
    </message>
    <message>
        <source>重新命名選取的元素</source>
        <translation>Rename the selected element</translation>
    </message>
    <message>
        <source>複製</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>剪下</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>貼上</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>再製</source>
        <translation>Duplicate</translation>
    </message>
    <message>
        <source>列印...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>預覽列印...</source>
        <translation>Print Preview...</translation>
    </message>
    <message>
        <source>尋找...</source>
        <translation>Find...</translation>
    </message>
    <message>
        <source>找下一個</source>
        <translation>Find Next</translation>
    </message>
    <message>
        <source>找上一個</source>
        <translation>Find Previous</translation>
    </message>
    <message>
        <source>排列</source>
        <translation>Arrange</translation>
    </message>
    <message>
        <source>顯示格線</source>
        <translation>Show Grid</translation>
    </message>
    <message>
        <source>範例</source>
        <translation>Samples</translation>
    </message>
</context>
<context>
    <name>Fragment</name>
    <message>
        <source>剪貼簿的內容不是可貼上的圖形元素</source>
        <translation>The clipboard does not hold diagram elements that can be pasted</translation>
    </message>
    <message>
        <source>剪貼簿的內容太大, 無法貼上</source>
        <translation>The clipboard contents are too large to paste</translation>
    </message>
    <message>
        <source>剪貼簿中沒有可貼上的圖形元素</source>
        <translation>The clipboard holds no diagram elements to paste</translation>
    </message>
</context>
<context>
    <name>GradeReport</name>
    <message>
        <source>參考答案</source>
        <translation>Reference answer</translation>
    </message>
    <message>
        <source>評分方式</source>
        <translation>Scoring</translation>
    </message>
    <message>
        <source>專案</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>分數</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>說明</source>
        <translation>Explanation</translation>
    </message>
    <message>
        <source>成績</source>
        <translation>Scores</translation>
    </message>
    <message>
        <source>差異</source>
        <translation>Differences</translation>
    </message>
    <message>
        <source>類別</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>關聯</source>
        <translation>Relation</translation>
    </message>
    <message>
        <source>欄位</source>
        <translation>Column</translation>
    </message>
    <message>
        <source>學生圖中的元素</source>
        <translation>Element in the student&apos;s diagram</translation>
    </message>
    <message>
        <source>報告超過試算表的列數上限, 請改存成 .csv</source>
        <translation>The report exceeds the number of rows a spreadsheet can hold; save it as .csv instead</translation>
    </message>
    <message>
        <source>無法轉換</source>
        <translation>Cannot convert</translation>
    </message>
    <message>
        <source>評分標準</source>
        <translation>Rubric</translation>
    </message>
    <message>
        <source>(隨之而來, 不另扣分) %1</source>
        <translation>(follows from the above, no cost) %1</translation>
    </message>
    <message>
        <source>每項扣分</source>
        <translation>Cost each</translation>
    </message>
    <message>
        <source>扣分</source>
        <translation>Cost</translation>
    </message>
    <message>
        <source>隨之而來自</source>
        <translation>Follows from</translation>
    </message>
    <message>
        <source>第 %1 列</source>
        <translation>row %1</translation>
    </message>
    <message>
        <source>(不扣分) %1</source>
        <translation>(no cost) %1</translation>
    </message>
</context>
<context>
    <name>HelpText</name>
    <message>
        <source>工具列的前三個按鈕產生新元素, 新元素放在畫面上第一個空位, 再用滑鼠拖到想要的位置。按鈕旁的箭頭另有弱實體、多值屬性與識別關係。</source>
        <translation>The first three toolbar buttons create new elements; a new element goes to the first free place in view, and you drag it where you want it. The arrows beside the buttons also offer a weak entity, a multivalued attribute and an identifying relationship.</translation>
    </message>
    <message>
        <source>實體</source>
        <translation>Entity</translation>
    </message>
    <message>
        <source>按 Entity (New Entity)。實體畫成長方形。</source>
        <translation>Press Entity (New Entity). An entity is drawn as a rectangle.</translation>
    </message>
    <message>
        <source>屬性</source>
        <translation>Attribute</translation>
    </message>
    <message>
        <source>按 Attribute (New Attribute), 再按 Set Attribute, 先點屬性的擁有者 (實體或關係), 再點屬性。屬性畫成橢圓。</source>
        <translation>Press Attribute (New Attribute), then Set Attribute, click the attribute&apos;s owner (an entity or a relationship) and then the attribute. An attribute is drawn as an ellipse.</translation>
    </message>
    <message>
        <source>鍵屬性</source>
        <translation>Key attribute</translation>
    </message>
    <message>
        <source>在屬性上按右鍵, 選 Key: 名稱加上底線, 成為主鍵的一部分。每個實體至少要有一個鍵屬性。</source>
        <translation>Right-click the attribute and choose Key: its name is underlined and it becomes part of the primary key. Every entity needs at least one key attribute.</translation>
    </message>
    <message>
        <source>多值屬性</source>
        <translation>Multivalued attribute</translation>
    </message>
    <message>
        <source>Attribute 旁的箭頭選 MultAttribute, 或在屬性的右鍵選單選 MultAttribute。畫成雙橢圓。</source>
        <translation>Choose MultAttribute from the arrow beside Attribute, or MultAttribute in an attribute&apos;s right-click menu. It is drawn as a double ellipse.</translation>
    </message>
    <message>
        <source>複合屬性</source>
        <translation>Composite attribute</translation>
    </message>
    <message>
        <source>用 Set Attribute 先點一個屬性, 再點另一個屬性: 後者成為前者的成分。轉換時以成分代替複合屬性。</source>
        <translation>With Set Attribute, click one attribute and then another: the second becomes a component of the first. The conversion writes the components in place of the composite attribute.</translation>
    </message>
    <message>
        <source>關係</source>
        <translation>Relationship</translation>
    </message>
    <message>
        <source>按 Relationship (New Relationship), 再按 Set Relationship, 依序點第一個實體、關係、第二個實體。關係畫成菱形。</source>
        <translation>Press Relationship (New Relationship), then Set Relationship, and click the first entity, the relationship and the second entity in this order. A relationship is drawn as a diamond.</translation>
    </message>
    <message>
        <source>遞迴關係</source>
        <translation>Recursive relationship</translation>
    </message>
    <message>
        <source>Set Relationship 時第二個實體再點同一個實體: 兩條連線畫成虛線, 每條都要用右鍵選單的 Description 設定角色。</source>
        <translation>In Set Relationship, click the same entity again as the second entity: both lines are drawn dotted, and each needs a role, set with Description in its right-click menu.</translation>
    </message>
    <message>
        <source>多元關係</source>
        <translation>N-ary relationship</translation>
    </message>
    <message>
        <source>關係已連了兩個實體時, 再用 Set Relationship 點另一個實體和這個關係, 就加上第三個參與者。</source>
        <translation>When a relationship already joins two entities, Set Relationship with another entity and this relationship adds a third participant.</translation>
    </message>
    <message>
        <source>弱實體</source>
        <translation>Weak entity</translation>
    </message>
    <message>
        <source>先產生實體, 用 Set Relationship 把它和擁有者接到同一個關係, 再在它的右鍵選單選 WeakEnitty, 然後點那個關係: 實體成為弱實體 (雙長方形), 關係成為識別關係 (雙菱形)。弱實體的部分鍵也用 Key 標示。</source>
        <translation>Create an entity, join it and its owner to one relationship with Set Relationship, then choose WeakEnitty in its right-click menu and click that relationship: the entity becomes a weak entity (double rectangle) and the relationship an identifying relationship (double diamond). Mark the weak entity&apos;s partial key with Key too.</translation>
    </message>
    <message>
        <source>參與度與角色</source>
        <translation>Participation and roles</translation>
    </message>
    <message>
        <source>在關係連線的中段按右鍵: Participation 輸入 min,max (見下一節), Description 輸入遞迴關係的角色, Delete 刪除連線。</source>
        <translation>Right-click near the middle of a relationship line: Participation takes the min,max (see the next section), Description the role of a recursive relationship, Delete deletes the line.</translation>
    </message>
    <message>
        <source>選取、移動、刪除</source>
        <translation>Select, move, delete</translation>
    </message>
    <message>
        <source>點一下元素選取它, Ctrl+點選加選或取消, 在空白處拖曳框選。拖曳選取的元素一起移動; Delete 刪除選取的元素, 無法刪除的會說明原因。每個動作都能復原 (Ctrl+Z)。</source>
        <translation>A click selects an element, Ctrl+click adds or removes one, a drag on the empty area selects what its frame encloses. Dragging a selected element moves all selected ones; Delete deletes the selected elements and says why any cannot go. Every change can be undone (Ctrl+Z).</translation>
    </message>
    <message>
        <source>連線中</source>
        <translation>While connecting</translation>
    </message>
    <message>
        <source>每條實體與關係之間的連線都有一個參與度, 寫成 min,max, 兩邊各是一個數字或 N, 例如 0,N、1,N、1,1。它屬於這條連線那一端的實體: 說的是這個實體怎麼參與這個關係。</source>
        <translation>Every line between an entity and a relationship has a participation, written min,max, each side a digit or N, for example 0,N, 1,N or 1,1. It belongs to the entity at that line&apos;s end: it says how this entity takes part in the relationship.</translation>
    </message>
    <message>
        <source>min</source>
        <translation>min</translation>
    </message>
    <message>
        <source>0: 部分參與, 實體可以不參與這個關係; 1: 完全參與, 每個實體都必須參與 (教科書表示法畫成雙線)。</source>
        <translation>0: partial participation, an entity may take no part in the relationship; 1: total participation, every entity must take part (a double line in textbook notation).</translation>
    </message>
    <message>
        <source>max</source>
        <translation>max</translation>
    </message>
    <message>
        <source>這個實體在對應比例中的那一邊: 兩條連線都是 1 為一對一; 一條 1、一條 N 為一對多, 寫 N 的那一端是「多」的一方; 兩條都是 N 為多對多。</source>
        <translation>This entity&apos;s side of the cardinality ratio: 1 on both lines is one-to-one; 1 on one line and N on the other is one-to-many, the end with N being the &quot;many&quot; side; N on both is many-to-many.</translation>
    </message>
    <message>
        <source>例子</source>
        <translation>Example</translation>
    </message>
    <message>
        <source>EMPLOYEE —1,N— WORKS_FOR —0,1— DEPARTMENT: 每個員工都屬於一個部門 (EMPLOYEE 端 min 為 1), 一個部門有多個員工 (EMPLOYEE 端為 N), 轉換時 DEPARTMENT 的主鍵成為 EMPLOYEE 的外鍵。</source>
        <translation>EMPLOYEE —1,N— WORKS_FOR —0,1— DEPARTMENT: every employee works for a department (min 1 at EMPLOYEE), a department has many employees (N at EMPLOYEE), and the conversion makes DEPARTMENT&apos;s key a foreign key of EMPLOYEE.</translation>
    </message>
    <message>
        <source>標籤的位置</source>
        <translation>Where the label sits</translation>
    </message>
    <message>
        <source>參與度標籤預設畫在連線靠關係的一端, File → Set 可改到靠實體的一端; 不論畫在哪裡, 它都屬於這條連線的實體。</source>
        <translation>The participation label is drawn at the relationship&apos;s end of the line by default; File → Set can move it to the entity&apos;s end. Wherever it is drawn, it belongs to the line&apos;s entity.</translation>
    </message>
    <message>
        <source>弱實體與識別關係之間的連線必須是 1,N。</source>
        <translation>The line between a weak entity and its identifying relationship must be 1,N.</translation>
    </message>
    <message>
        <source>教科書表示法</source>
        <translation>Textbook notation</translation>
    </message>
    <message>
        <source>File → Set 可改用教科書表示法: 連線只標 max, min 為 1 時畫雙線。轉換只在 min,max 表示法下進行。</source>
        <translation>File → Set switches to textbook notation: a line shows only the max, and a double line when the min is 1. Conversion runs in min,max notation only.</translation>
    </message>
    <message>
        <source>Save 與 Convert 先檢查圖形, 遇到第一個問題就以訊息說明並停下 (Save 可另存為草稿)。關聯綱要面板 (F9) 隨時列出同樣的問題。</source>
        <translation>Save and Convert check the diagram first and stop at the first problem with a message (Save can keep it as a draft). The relational schema panel (F9) lists the same problems as you draw.</translation>
    </message>
    <message>
        <source>圖上沒有元素。先畫圖再儲存或轉換。</source>
        <translation>There are no elements. Draw before you save or convert.</translation>
    </message>
    <message>
        <source>這個實體沒有直接相連的鍵屬性。在它的一個屬性上按右鍵選 Key。</source>
        <translation>The entity has no key attribute attached to it. Right-click one of its attributes and choose Key.</translation>
    </message>
    <message>
        <source>這個屬性沒有接到任何元素。用 Set Attribute 先點擁有者再點它, 或把它刪除。</source>
        <translation>The attribute is attached to nothing. Use Set Attribute, click its owner and then it, or delete it.</translation>
    </message>
    <message>
        <source>這個關係連到的實體不到兩個。用 Set Relationship 接上兩個實體 (遞迴關係則是同一個實體兩次)。</source>
        <translation>The relationship joins fewer than two entities. Join two entities with Set Relationship (for a recursive relationship, the same entity twice).</translation>
    </message>
    <message>
        <source>弱實體與識別關係之間的連線要設成 1,N: 在連線上按右鍵選 Participation。</source>
        <translation>Set the line between the weak entity and its identifying relationship to 1,N: right-click the line and choose Participation.</translation>
    </message>
    <message>
        <source>只是提醒, 不會擋下儲存或轉換: 這條連線還沒有參與度, 已自動填 0,N。請確認是否正確。</source>
        <translation>A note only, it stops neither saving nor converting: the line had no participation and now has 0,N. Check that this is right.</translation>
    </message>
    <message>
        <source>關聯綱要面板另列出不會擋下儲存的警告: 同名的實體或關係、同一元素的兩個同名屬性、沒有部分鍵的弱實體、兩邊都完全參與的多對多關係、min 大於 max 的參與度。它們多半是筆誤, 請再確認。</source>
        <translation>The relational schema panel also lists warnings that do not stop a save: entities or relationships with the same name, two attributes of one element with the same name, a weak entity without a partial key, a many-to-many relationship with total participation on both sides, a participation whose min is greater than its max. They are mostly slips; check them.</translation>
    </message>
    <message>
        <source>Convert 把圖形轉換成關聯綱要, 寫成活頁簿: 每個外鍵畫一個箭頭指向它參照的主鍵, 「對映說明」工作表寫出每個欄位依哪條規則產生。規則依序為:</source>
        <translation>Convert turns the diagram into relations written to a workbook: every foreign key gets an arrow to the key it references, and the sheet &quot;對映說明&quot; tells which rule made each column. The rules, in order:</translation>
    </message>
    <message>
        <source>規則 1 實體</source>
        <translation>Rule 1 entity</translation>
    </message>
    <message>
        <source>每個實體成為一個關聯, 欄位是它的屬性 (複合屬性以成分代替), 底線屬性為主鍵。</source>
        <translation>Every entity becomes a relation whose columns are its attributes (a composite attribute&apos;s components in its place); the underlined attributes are the primary key.</translation>
    </message>
    <message>
        <source>規則 2 弱實體</source>
        <translation>Rule 2 weak entity</translation>
    </message>
    <message>
        <source>弱實體成為一個關聯, 加上擁有者的主鍵作為外鍵; 主鍵是部分鍵加上擁有者的主鍵。</source>
        <translation>A weak entity becomes a relation with its owner&apos;s key added as a foreign key; its primary key is the partial key plus the owner&apos;s key.</translation>
    </message>
    <message>
        <source>規則 3 一對一關係</source>
        <translation>Rule 3 one-to-one relationship</translation>
    </message>
    <message>
        <source>外鍵加在完全參與 (min 為 1) 的一端, 參照另一端的主鍵; 關係的屬性跟著加在同一個關聯。</source>
        <translation>The foreign key goes to the side with total participation (min 1) and references the other side&apos;s key; the relationship&apos;s attributes join the same relation.</translation>
    </message>
    <message>
        <source>規則 4 一對多關係</source>
        <translation>Rule 4 one-to-many relationship</translation>
    </message>
    <message>
        <source>外鍵加在 N 端實體的關聯, 參照 1 端的主鍵; 關係的屬性跟著加入。遞迴關係的外鍵以角色命名。</source>
        <translation>The foreign key goes to the relation of the entity on the N side and references the key on the 1 side; the relationship&apos;s attributes follow it. A recursive relationship&apos;s foreign key is named by the role.</translation>
    </message>
    <message>
        <source>規則 5 多對多關係</source>
        <translation>Rule 5 many-to-many relationship</translation>
    </message>
    <message>
        <source>關係成為獨立的關聯, 兩端實體的主鍵作為外鍵, 合起來是主鍵, 再加上關係的屬性。</source>
        <translation>The relationship becomes a relation of its own: the keys of both entities as foreign keys, together its primary key, then the relationship&apos;s attributes.</translation>
    </message>
    <message>
        <source>規則 6 多值屬性</source>
        <translation>Rule 6 multivalued attribute</translation>
    </message>
    <message>
        <source>多值屬性成為名為「多值屬性」加屬性名稱的關聯: 擁有者的主鍵 (外鍵) 和屬性值, 全部是主鍵。</source>
        <translation>A multivalued attribute becomes a relation named &quot;多值屬性&quot; followed by the attribute&apos;s name: the owner&apos;s key (a foreign key) and the value, all of them the primary key.</translation>
    </message>
    <message>
        <source>規則 7 多元關係</source>
        <translation>Rule 7 n-ary relationship</translation>
    </message>
    <message>
        <source>三個以上實體參與的關係成為獨立的關聯, 含每個參與者的主鍵; 連線 max 為 N 的參與者的主鍵組成主鍵。</source>
        <translation>A relationship of three or more entities becomes a relation of its own with every participant&apos;s key; the keys of the participants whose line has max N form the primary key.</translation>
    </message>
    <message>
        <source>畫圖</source>
        <translation>Drawing</translation>
    </message>
    <message>
        <source>參與度 min,max</source>
        <translation>Participation min,max</translation>
    </message>
    <message>
        <source>檢查訊息</source>
        <translation>Check messages</translation>
    </message>
    <message>
        <source>轉換規則</source>
        <translation>Conversion rules</translation>
    </message>
    <message>
        <source>快速鍵</source>
        <translation>Keyboard shortcuts</translation>
    </message>
    <message>
        <source>遞迴關係的兩條虛線都要有角色: 在連線上按右鍵選 Description, 例如 supervisor 與 supervisee。一對多時, 1 端那條連線的角色成為外鍵的名稱; 多對多時, 兩個角色分別命名新關聯的兩組外鍵。</source>
        <translation>Both dotted lines of a recursive relationship need a role: right-click the line and choose Description, for example supervisor and supervisee. In a one-to-many relationship, the role of the line on the 1 side names the foreign key; in a many-to-many one, the two roles name the two foreign keys of the new relation.</translation>
    </message>
    <message>
        <source>Set Attribute 與 Set Relationship 會把可以點的元素標成候選色, 已點的標成已選色, 下方狀態列說明下一步要點什麼; Esc 或 Cancel 放棄這次連線。按住 Shift 點這兩個按鈕, 工具會留著, 一條連線完成後再開始下一條, 直到 Esc 或 Cancel。</source>
        <translation>Set Attribute and Set Relationship mark the elements you may click in the candidate colour and the ones picked in the selected colour, and the status bar below tells what to click next; Esc or Cancel abandons the connection. Shift+click either button and the tool stays: when one connection is complete the next one starts, until Esc or Cancel.</translation>
    </message>
    <message>
        <source>滑鼠: 滾輪捲動 (Shift+滾輪左右捲動), Ctrl+滾輪以指標為中心縮放; 在元素上按右鍵開啟它的選單, 按兩下 (或選取後按 F2) 在圖上改名, Enter 確定, Esc 放棄; 在關係連線中段按右鍵開啟連線選單。</source>
        <translation>Mouse: the wheel scrolls (Shift+wheel sideways), Ctrl+wheel zooms around the pointer; a right click on an element opens its menu, a double click (or F2 on the selected element) renames it on the drawing, Enter keeps, Esc abandons; a right click near the middle of a relationship line opens the line&apos;s menu.</translation>
    </message>
    <message>
        <source>特殊化</source>
        <translation>Specialization</translation>
    </message>
    <message>
        <source>按 Specialization (New Specialization) 產生特殊化的圓圈, 再按 Set Subclass, 依序點父類別的實體、圓圈、子類別的實體, 每個子類別各點一次; 子類別的連線畫上子集合符號 ⊂。圓圈的右鍵選單選不相交 (d) 或重疊 (o)、全部 (父類別的連線畫成雙線) 或部分、對映 8A 到 8D, 以及定義屬性 (寫在父類別的連線旁)。</source>
        <translation>Press Specialization (New Specialization) for a specialization circle, then Set Subclass, and click the superclass entity, the circle and the subclass entity, once for each subclass; subclass lines carry the subset mark ⊂. The circle's right-click menu chooses disjoint (d) or overlapping (o), total (the superclass line drawn double) or partial, the mapping 8A to 8D, and the defining attribute (written beside the superclass line).</translation>
    </message>
    <message>
        <source>類別</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>按 Category (New Category) 產生類別的圓圈 (∪), 再用 Set Subclass 依序點一個父類別、圓圈和類別的子類別, 每個父類別各點一次。全部的類別在子類別的連線畫雙線。</source>
        <translation>Press Category (New Category) for a category circle (∪), then with Set Subclass click a superclass, the circle and the category's subclass, once for each superclass. A total category draws the subclass line double.</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Relvane 使用說明</source>
        <translation>Relvane manual</translation>
    </message>
</context>
<context>
    <name>Mapping</name>
    <message>
        <source>%1 的%2 %3 的成分</source>
        <translation>A component of %2 %3 of %1</translation>
    </message>
    <message>
        <source>複合主鍵</source>
        <translation>the composite key</translation>
    </message>
    <message>
        <source>複合屬性</source>
        <translation>the composite attribute</translation>
    </message>
    <message>
        <source>關係 %1 的屬性</source>
        <translation>An attribute of relationship %1</translation>
    </message>
    <message>
        <source>%1 的主鍵屬性</source>
        <translation>The key attribute of %1</translation>
    </message>
    <message>
        <source>%1 的屬性</source>
        <translation>An attribute of %1</translation>
    </message>
    <message>
        <source>%1 是實體, 成為一個關聯</source>
        <translation>%1 is an entity and becomes a relation</translation>
    </message>
    <message>
        <source>%1 是弱實體, 以擁有者的主鍵加上自己的部分鍵識別</source>
        <translation>%1 is a weak entity, identified by its owner&apos;s primary key together with its own partial key</translation>
    </message>
    <message>
        <source>參照擁有者 %1 的主鍵, 與部分鍵一起識別弱實體 %2</source>
        <translation>References the primary key of the owner %1; together with the partial key it identifies the weak entity %2</translation>
    </message>
    <message>
        <source>%1 是 %2 的多值屬性, 另成一個關聯</source>
        <translation>%1 is a multivalued attribute of %2 and becomes a relation of its own</translation>
    </message>
    <message>
        <source>多值屬性 %1 的一個值, 屬這個關聯的主鍵</source>
        <translation>One value of the multivalued attribute %1; part of this relation&apos;s primary key</translation>
    </message>
    <message>
        <source>參照擁有者 %1 的主鍵</source>
        <translation>References the primary key of the owner %1</translation>
    </message>
    <message>
        <source>%1 是多元關係, 成為獨立的關聯</source>
        <translation>%1 is an n-ary relationship and becomes a relation of its own</translation>
    </message>
    <message>
        <source>參照 %1 的主鍵; %1 端為 N, 屬主鍵</source>
        <translation>References the primary key of %1; the %1 side is N, so it is part of the primary key</translation>
    </message>
    <message>
        <source>參照 %1 的主鍵; %1 端為 1, 不屬主鍵</source>
        <translation>References the primary key of %1; the %1 side is 1, so it is not part of the primary key</translation>
    </message>
    <message>
        <source>%1 是一對一關係, 外鍵加在 %2 端, 參照 %3</source>
        <translation>%1 is a one-to-one relationship; the foreign key goes on the %2 side and references %3</translation>
    </message>
    <message>
        <source>%1 是遞迴關係, 以角色 %2 參照 %3 的主鍵</source>
        <translation>%1 is a recursive relationship; the role %2 references the primary key of %3</translation>
    </message>
    <message>
        <source>%1 是一對多關係, 外鍵加在 N 端 %2, 參照 %3</source>
        <translation>%1 is a one-to-many relationship; the foreign key goes on the N side %2 and references %3</translation>
    </message>
    <message>
        <source>%1 是多對多關係, 成為獨立的關聯</source>
        <translation>%1 is a many-to-many relationship and becomes a relation of its own</translation>
    </message>
    <message>
        <source>參照 %1 的主鍵, 屬這個關聯的主鍵</source>
        <translation>References the primary key of %1; part of this relation&apos;s primary key</translation>
    </message>
    <message>
        <source>; %1 是弱實體, 外鍵取它的完整主鍵: 部分鍵加上擁有者的主鍵</source>
        <translation>; %1 is a weak entity: the foreign key takes its whole key, the partial key and the owner&apos;s key</translation>
    </message>
    <message>
        <source>; 主鍵是 %1 以外所有參與者的主鍵, 每個參與者都不可為空值</source>
        <translation>; the primary key is the keys of all participants but %1, and no participant may be null</translation>
    </message>
    <message>
        <source>; 主鍵是所有參與者的主鍵</source>
        <translation>; the primary key is the keys of all participants</translation>
    </message>
    <message>
        <source>參照 %1 的主鍵; %1 端也為 1, 但主鍵只能省去一個 1 端 (%2), 所以屬主鍵</source>
        <translation>References the key of %1; the %1 side is also 1, but the key may leave out only one 1 side (%2), so it is part of the key</translation>
    </message>
    <message>
        <source>%1 是遞迴的多對多關係, 成為獨立的關聯: 兩個角色各以一個外鍵參照 %2</source>
        <translation>%1 is a recursive many-to-many relationship and becomes a relation of its own: each of the two roles references %2 by a foreign key</translation>
    </message>
    <message>
        <source>以角色 %1 參照 %2 的主鍵, 屬這個關聯的主鍵</source>
        <translation>References the key of %2 as role %1; part of this relation&apos;s key</translation>
    </message>
    <message>
        <source>%1 是類別 (聯集型態), 超類別的主鍵各不相同, 所以以代理鍵 %2 識別</source>
        <translation>%1 is a category (union type); its superclasses have different keys, so it is identified by the surrogate key %2</translation>
    </message>
    <message>
        <source>類別 %1 的代理鍵</source>
        <translation>The surrogate key of category %1</translation>
    </message>
    <message>
        <source>%1 是 %2 的子類別; %2 的特殊化只有子類別的關聯 (8B), 所以 %1 繼承 %2 的全部屬性, 以 %2 的主鍵識別</source>
        <translation>%1 is a subclass of %2; the specialization of %2 has relations for its subclasses only (8B), so %1 inherits all attributes of %2 and is identified by the key of %2</translation>
    </message>
    <message>
        <source>%1 是共用子類別, 同時屬多個超類別: 自成一個關聯, 以繼承的主鍵識別</source>
        <translation>%1 is a shared subclass of several superclasses: it becomes a relation of its own, identified by the inherited key</translation>
    </message>
    <message>
        <source>%1 是 %2 的子類別 (8A), 自成一個關聯, 以 %2 的主鍵識別</source>
        <translation>%1 is a subclass of %2 (8A): it becomes a relation of its own, identified by the key of %2</translation>
    </message>
    <message>
        <source>繼承 %1 的主鍵, 同時是參照關聯 %2 的外鍵</source>
        <translation>The inherited key of %1, also a foreign key referencing the relation %2</translation>
    </message>
    <message>
        <source>%1 是類別 %2 的超類別: 以外鍵參照 %2 的代理鍵</source>
        <translation>%1 is a superclass of category %2: a foreign key references the surrogate key of %2</translation>
    </message>
    <message>
        <source>類型屬性: 記錄每一列屬哪一個子類別, 只能是 %1 之一</source>
        <translation>Type attribute: records which subclass each row belongs to, one of %1</translation>
    </message>
    <message>
        <source>旗標: 這一列是否屬子類別 %1 (1 是, 0 否)</source>
        <translation>Flag: whether this row belongs to subclass %1 (1 yes, 0 no)</translation>
    </message>
</context>
<context>
    <name>OptionChecks</name>
    <message>
        <source>您所選的顏色是Application底色, 請勿重覆</source>
        <translation>The colour you chose is the application background colour; please choose another</translation>
    </message>
    <message>
        <source>您所選的顏色是候選元素的顏色, 請勿重覆</source>
        <translation>The colour you chose is the colour of candidate elements; please choose another</translation>
    </message>
    <message>
        <source>您所選的顏色是已選取元素的顏色, 請勿重覆</source>
        <translation>The colour you chose is the colour of selected elements; please choose another</translation>
    </message>
    <message>
        <source>您所選的顏色是屬性的線條顏色, 請勿重覆</source>
        <translation>The colour you chose is the line colour of attributes; please choose another</translation>
    </message>
    <message>
        <source>您所選的顏色是關聯的線條顏色, 請勿重覆</source>
        <translation>The colour you chose is the line colour of relationships; please choose another</translation>
    </message>
    <message>
        <source>菱形雙線間距</source>
        <translation>The gap of double diamonds</translation>
    </message>
    <message>
        <source>橢圓雙線間距</source>
        <translation>The gap of double ellipses</translation>
    </message>
    <message>
        <source>矩形雙線間距</source>
        <translation>The gap of double rectangles</translation>
    </message>
    <message>
        <source>雙直線間距</source>
        <translation>The gap of double lines</translation>
    </message>
    <message>
        <source>您所選的顏色是元素 %1 的顏色, 請勿重覆</source>
        <translation>The colour you chose is the colour of element %1; please choose another</translation>
    </message>
    <message>
        <source>必須是數字</source>
        <translation> must be a number</translation>
    </message>
    <message>
        <source>不得超過8</source>
        <translation> must not exceed 8</translation>
    </message>
    <message>
        <source>不得小於0</source>
        <translation> must not be less than 0</translation>
    </message>
</context>
<context>
    <name>OverviewDock</name>
    <message>
        <source>鳥瞰圖</source>
        <translation>Overview</translation>
    </message>
    <message>
        <source>整張圖的縮圖; 拖曳方框即可捲動繪圖區</source>
        <translation>The whole diagram in small; drag the frame to scroll the drawing</translation>
    </message>
</context>
<context>
    <name>Participation</name>
    <message>
        <source>輸入格式錯誤</source>
        <translation>The input is not in the right format</translation>
    </message>
    <message>
        <source>參與度</source>
        <translation>Participation</translation>
    </message>
    <message>
        <source>參與關係為..(如N,N)</source>
        <translation>Participation is.. (e.g. N,N)</translation>
    </message>
    <message>
        <source>參與關係為..(如1,N)</source>
        <translation>Participation is.. (e.g. 1,N)</translation>
    </message>
    <message>
        <source>角色為..</source>
        <translation>Role is..</translation>
    </message>
    <message>
        <source>遞迴關係</source>
        <translation>Recursive relationship</translation>
    </message>
    <message>
        <source>角色</source>
        <translation>Role</translation>
    </message>
</context>
<context>
    <name>Pasting</name>
    <message>
        <source>元素數量已達上限 %1, 無法貼上 %2 個元素</source>
        <translation>The diagram holds the largest number of elements (%1); the %2 elements cannot be pasted</translation>
    </message>
    <message>
        <source>貼上 %1 個元素</source>
        <translation>Paste %1 elements</translation>
    </message>
    <message>
        <source>剪下 %1 個元素</source>
        <translation>Cut %1 elements</translation>
    </message>
</context>
<context>
    <name>PictureDialog</name>
    <message>
        <source>PNG 圖片 (*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <source>PNG 圖片 2× (*.png)</source>
        <translation>PNG image 2× (*.png)</translation>
    </message>
    <message>
        <source>SVG 圖片 (*.svg)</source>
        <translation>SVG image (*.svg)</translation>
    </message>
    <message>
        <source>PDF 文件 (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>匯出圖片</source>
        <translation>Export Picture</translation>
    </message>
</context>
<context>
    <name>PictureFile</name>
    <message>
        <source>圖片檔的副檔名須為 .png、.svg 或 .pdf</source>
        <translation>The picture file name must end in .png, .svg or .pdf</translation>
    </message>
    <message>
        <source>無法繪製圖片</source>
        <translation>The picture could not be drawn</translation>
    </message>
    <message>
        <source>圖片有 %1 × %2 像素, 超過上限 (共 %3 像素, 每邊 %4 像素); 請把元素移近一些, 或改用 1 倍的 PNG</source>
        <translation>The picture has %1 × %2 pixels, beyond the limit (%3 pixels in all, %4 pixels a side); move the elements closer together, or use a 1× PNG</translation>
    </message>
</context>
<context>
    <name>PrintDialogs</name>
    <message>
        <source>縮小到一頁</source>
        <translation>Shrink to one page</translation>
    </message>
    <message>
        <source>實際大小 (100%)</source>
        <translation>Actual size (100%)</translation>
    </message>
    <message>
        <source>列印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>縮放</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>預覽列印</source>
        <translation>Print Preview</translation>
    </message>
</context>
<context>
    <name>ProjectCommands</name>
    <message>
        <source>載入 Project 會清除目前的圖形, 要繼續嗎?</source>
        <translation>Loading a Project clears the current diagram. Continue?</translation>
    </message>
    <message>
        <source>請輸入 Project 名稱</source>
        <translation>Please enter a Project name</translation>
    </message>
    <message>
        <source>資料庫內沒有這個 Project</source>
        <translation>The database has no such Project</translation>
    </message>
    <message>
        <source>有 %1 筆資料無法載入, 已略過</source>
        <translation>%1 rows could not be loaded and were skipped</translation>
    </message>
    <message>
        <source>Project %1 已存在, 要覆蓋嗎?</source>
        <translation>Project %1 already exists. Overwrite it?</translation>
    </message>
    <message>
        <source>Project %1 是草稿, 尚未通過檢查</source>
        <translation>Project %1 is a draft and has not passed validation</translation>
    </message>
    <message>
        <source>圖形還不能儲存為 Project:
%1

可以先儲存為草稿, 日後再完成。</source>
        <translation>The diagram cannot be saved as a project yet:
%1

You can save it as a draft and finish it later.</translation>
    </message>
    <message>
        <source>載入 Project</source>
        <translation>Load Project</translation>
    </message>
</context>
<context>
    <name>ProjectFile</name>
    <message>
        <source>%1 不是 Relvane 專案檔</source>
        <translation>%1 is not a Relvane project file</translation>
    </message>
    <message>
        <source>無法取代 %1</source>
        <translation>Cannot replace %1</translation>
    </message>
    <message>
        <source>無法寫入 %1</source>
        <translation>Cannot write %1</translation>
    </message>
    <message>
        <source>無法讀取 %1: %2</source>
        <translation>Cannot read %1: %2</translation>
    </message>
</context>
<context>
    <name>ProjectListDialog</name>
    <message>
        <source>名稱</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>編號</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>元素</source>
        <translation>Elements</translation>
    </message>
    <message>
        <source>最後儲存</source>
        <translation>Last saved</translation>
    </message>
    <message>
        <source>刪除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>重新命名</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>確定要刪除專案 %1 嗎? 刪除後無法復原。</source>
        <translation>Delete project %1? This cannot be undone.</translation>
    </message>
    <message>
        <source>新的專案名稱:</source>
        <translation>New project name:</translation>
    </message>
    <message>
        <source>請輸入 Project 名稱</source>
        <translation>Please enter a project name</translation>
    </message>
    <message>
        <source>已經有名為 %1 的專案</source>
        <translation>A project named %1 already exists</translation>
    </message>
    <message>
        <source>草稿</source>
        <translation>Draft</translation>
    </message>
    <message>
        <source>狀態</source>
        <translation>Status</translation>
    </message>
</context>
<context>
    <name>RecoverySnapshot</name>
    <message>
        <source>不是 Relvane 的復原檔</source>
        <translation>Not a Relvane recovery file</translation>
    </message>
    <message>
        <source>復原檔的格式 %1 無法讀取</source>
        <translation>The recovery file format %1 cannot be read</translation>
    </message>
    <message>
        <source>復原檔已損壞</source>
        <translation>The recovery file is damaged</translation>
    </message>
</context>
<context>
    <name>RecursiveLine</name>
    <message>
        <source> (第 %1 條虛線)</source>
        <translation> (dashed line %1)</translation>
    </message>
    <message>
        <source> (第 %1 條虛線, 參與度 %2)</source>
        <translation> (dashed line %1, participation %2)</translation>
    </message>
</context>
<context>
    <name>ReferenceCycles</name>
    <message>
        <source>; %1 與 %2 互相以不可為空的外鍵參照, 形成循環: 這個外鍵延到交易結束時才檢查 (MySQL 不能延後檢查, 所以允許空值)</source>
        <translation>; %1 and %2 reference each other by foreign keys that may not be null, a cycle: this foreign key is checked when the transaction ends (MySQL cannot wait, so there it may be null)</translation>
    </message>
</context>
<context>
    <name>RelationalModel</name>
    <message>
        <source>實體</source>
        <translation>Entity</translation>
    </message>
    <message>
        <source>弱實體</source>
        <translation>Weak entity</translation>
    </message>
    <message>
        <source>一對一關係</source>
        <translation>One-to-one relationship</translation>
    </message>
    <message>
        <source>一對多關係</source>
        <translation>One-to-many relationship</translation>
    </message>
    <message>
        <source>多對多關係</source>
        <translation>Many-to-many relationship</translation>
    </message>
    <message>
        <source>多值屬性</source>
        <translation>Multivalued attribute</translation>
    </message>
    <message>
        <source>多元關係</source>
        <translation>N-ary relationship</translation>
    </message>
    <message>
        <source>規則 %1 </source>
        <translation>Rule %1 </translation>
    </message>
    <message>
        <source>規則 8A 特殊化: 超類別與每個子類別各一個關聯</source>
        <translation>Rule 8A specialization: a relation for the superclass and one for each subclass</translation>
    </message>
    <message>
        <source>規則 8B 特殊化: 只有子類別的關聯</source>
        <translation>Rule 8B specialization: relations for the subclasses only</translation>
    </message>
    <message>
        <source>規則 8C 特殊化: 一個關聯加一個類型屬性</source>
        <translation>Rule 8C specialization: one relation with one type attribute</translation>
    </message>
    <message>
        <source>規則 8D 特殊化: 一個關聯加每個子類別的布林旗標</source>
        <translation>Rule 8D specialization: one relation with a Boolean flag per subclass</translation>
    </message>
    <message>
        <source>規則 9 類別: 以代理鍵參照各超類別</source>
        <translation>Rule 9 category: a surrogate key referenced from each superclass</translation>
    </message>
</context>
<context>
    <name>RelvaneApp</name>
    <message>
        <source>關聯綱要</source>
        <translation>Relational Schema</translation>
    </message>
    <message>
        <source>發現上次未正常結束時的圖形, 要復原嗎?</source>
        <translation>A diagram from a session that did not end normally was found. Recover it?</translation>
    </message>
    <message>
        <source>無法復原 %1: %2</source>
        <translation>Cannot recover %1: %2</translation>
    </message>
    <message>
        <source>已儲存 Project </source>
        <translation>Saved Project </translation>
    </message>
    <message>
        <source>目前的圖形尚未儲存, 要儲存嗎?</source>
        <translation>The current diagram has not been saved. Save it?</translation>
    </message>
    <message>
        <source>無法寫入專案檔 %1: %2</source>
        <translation>Cannot write the project file %1: %2</translation>
    </message>
    <message>
        <source>無法寫入 SQL 指令碼 %1: %2</source>
        <translation>Cannot write the SQL script %1: %2</translation>
    </message>
    <message>
        <source>已寫入 </source>
        <translation>Written </translation>
    </message>
    <message>
        <source>SQL 指令碼已寫入 %1, 但有些部分只寫成註解:
</source>
        <translation>The SQL script was written to %1, but some parts are written only as comments:
</translation>
    </message>
    <message>
        <source>正在轉換...</source>
        <translation>Converting...</translation>
    </message>
    <message>
        <source>已取消轉換, 沒有寫入檔案</source>
        <translation>Conversion cancelled; no file was written</translation>
    </message>
    <message>
        <source>無法寫入活頁簿 %1: %2</source>
        <translation>Cannot write the workbook %1: %2</translation>
    </message>
    <message>
        <source>正在儲存...</source>
        <translation>Saving...</translation>
    </message>
    <message>
        <source>正在載入...</source>
        <translation>Loading...</translation>
    </message>
    <message>
        <source>無法寫入圖片 %1: %2</source>
        <translation>Cannot write the picture %1: %2</translation>
    </message>
    <message>
        <source>正在匯出圖片...</source>
        <translation>Exporting the picture...</translation>
    </message>
    <message>
        <source>已儲存草稿 </source>
        <translation>Saved draft </translation>
    </message>
    <message>
        <source>無法列印: 印表機沒有接受這份文件</source>
        <translation>Cannot print: the printer did not accept the document</translation>
    </message>
    <message numerus="yes">
        <source>已送出 %n 頁列印</source>
        <translation>
            <numerusform>Sent %n page to the printer</numerusform>
            <numerusform>Sent %n pages to the printer</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ReviewLines</name>
    <message>
        <source>問題</source>
        <translation>Problems</translation>
    </message>
    <message>
        <source>注意</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>提醒</source>
        <translation>Warnings</translation>
    </message>
    <message>
        <source>與參考答案 %1 比較</source>
        <translation>Compared with the reference answer %1</translation>
    </message>
    <message>
        <source>分數 %1</source>
        <translation>Score %1</translation>
    </message>
    <message>
        <source>關閉</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>參考答案無法轉換: %1</source>
        <translation>The reference answer cannot be converted: %1</translation>
    </message>
    <message>
        <source>與參考答案相同</source>
        <translation>Same as the reference answer</translation>
    </message>
    <message>
        <source>評分標準: %1</source>
        <translation>Rubric: %1</translation>
    </message>
    <message>
        <source>隨之而來: %1</source>
        <translation>Follows: %1</translation>
    </message>
    <message>
        <source>特殊化與類別</source>
        <translation>Specializations and categories</translation>
    </message>
</context>
<context>
    <name>ReviewPanel</name>
    <message>
        <source>關聯綱要</source>
        <translation>Relational Schema</translation>
    </message>
</context>
<context>
    <name>RootCauses</name>
    <message>
        <source>%1 對應參考答案的 %2: 名稱不同, 依相同的欄位配對</source>
        <translation>%1 corresponds to %2 of the reference: another name, paired by the same columns</translation>
    </message>
    <message>
        <source>一對一關係 %1 的外鍵放在 %2 也可以, 與放在 %3 相同</source>
        <translation>The foreign key of the one-to-one relationship %1 may as well go into %2 as into %3</translation>
    </message>
    <message>
        <source>%1.%2 對應參考答案的 %3: 名稱不同, 同樣參考 %4.%5</source>
        <translation>%1.%2 corresponds to %3 of the reference: another name, referencing the same %4.%5</translation>
    </message>
</context>
<context>
    <name>Rubric</name>
    <message>
        <source>預設</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>無法讀取評分標準 %1: %2</source>
        <translation>Cannot read the rubric %1: %2</translation>
    </message>
    <message>
        <source>評分標準 %1 第 %2 行: %3</source>
        <translation>Rubric %1, line %2: %3</translation>
    </message>
    <message>
        <source>應為「類別 = 扣分」</source>
        <translation>expected &quot;category = cost&quot;</translation>
    </message>
    <message>
        <source>沒有這個類別: %1</source>
        <translation>no such category: %1</translation>
    </message>
    <message>
        <source>扣分應為 0 到 100 的整數</source>
        <translation>the cost must be a whole number from 0 to 100</translation>
    </message>
    <message>
        <source>%1 重複設定</source>
        <translation>%1 is set twice</translation>
    </message>
</context>
<context>
    <name>SampleProjects</name>
    <message>
        <source>員工</source>
        <translation>EMPLOYEE</translation>
    </message>
    <message>
        <source>部門</source>
        <translation>DEPARTMENT</translation>
    </message>
    <message>
        <source>專案</source>
        <translation>PROJECT</translation>
    </message>
    <message>
        <source>眷屬</source>
        <translation>DEPENDENT</translation>
    </message>
    <message>
        <source>任職</source>
        <translation>WORKS_FOR</translation>
    </message>
    <message>
        <source>管理</source>
        <translation>MANAGES</translation>
    </message>
    <message>
        <source>控制</source>
        <translation>CONTROLS</translation>
    </message>
    <message>
        <source>參與</source>
        <translation>WORKS_ON</translation>
    </message>
    <message>
        <source>督導</source>
        <translation>SUPERVISION</translation>
    </message>
    <message>
        <source>扶養</source>
        <translation>DEPENDENTS_OF</translation>
    </message>
    <message>
        <source>姓名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>名</source>
        <translation>Fname</translation>
    </message>
    <message>
        <source>中間名</source>
        <translation>Minit</translation>
    </message>
    <message>
        <source>姓</source>
        <translation>Lname</translation>
    </message>
    <message>
        <source>身分證號</source>
        <translation>Ssn</translation>
    </message>
    <message>
        <source>生日</source>
        <translation>Bdate</translation>
    </message>
    <message>
        <source>薪水</source>
        <translation>Salary</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>性別</source>
        <translation>Sex</translation>
    </message>
    <message>
        <source>部門名稱</source>
        <translation>Dname</translation>
    </message>
    <message>
        <source>部門編號</source>
        <translation>Dnumber</translation>
    </message>
    <message>
        <source>地點</source>
        <translation>Locations</translation>
    </message>
    <message>
        <source>就任日期</source>
        <translation>Start_date</translation>
    </message>
    <message>
        <source>專案編號</source>
        <translation>Pnumber</translation>
    </message>
    <message>
        <source>專案名稱</source>
        <translation>Pname</translation>
    </message>
    <message>
        <source>專案地點</source>
        <translation>Plocation</translation>
    </message>
    <message>
        <source>工時</source>
        <translation>Hours</translation>
    </message>
    <message>
        <source>眷屬姓名</source>
        <translation>Dependent_name</translation>
    </message>
    <message>
        <source>關係</source>
        <translation>Relationship</translation>
    </message>
    <message>
        <source>部屬</source>
        <translation>supervisee</translation>
    </message>
    <message>
        <source>主管</source>
        <translation>supervisor</translation>
    </message>
    <message>
        <source>學生</source>
        <translation>STUDENT</translation>
    </message>
    <message>
        <source>課程</source>
        <translation>COURSE</translation>
    </message>
    <message>
        <source>開課班級</source>
        <translation>SECTION</translation>
    </message>
    <message>
        <source>教師</source>
        <translation>INSTRUCTOR</translation>
    </message>
    <message>
        <source>系所</source>
        <translation>DEPARTMENT</translation>
    </message>
    <message>
        <source>選課</source>
        <translation>ENROLLS</translation>
    </message>
    <message>
        <source>開設</source>
        <translation>OFFERS</translation>
    </message>
    <message>
        <source>授課</source>
        <translation>TEACHES</translation>
    </message>
    <message>
        <source>先修</source>
        <translation>PREREQUISITE</translation>
    </message>
    <message>
        <source>主修</source>
        <translation>MAJORS_IN</translation>
    </message>
    <message>
        <source>聘任</source>
        <translation>EMPLOYS</translation>
    </message>
    <message>
        <source>學號</source>
        <translation>Student_id</translation>
    </message>
    <message>
        <source>電話</source>
        <translation>Phone</translation>
    </message>
    <message>
        <source>成績</source>
        <translation>Grade</translation>
    </message>
    <message>
        <source>班別</source>
        <translation>Section_no</translation>
    </message>
    <message>
        <source>學期</source>
        <translation>Semester</translation>
    </message>
    <message>
        <source>教室</source>
        <translation>Room</translation>
    </message>
    <message>
        <source>課號</source>
        <translation>Course_id</translation>
    </message>
    <message>
        <source>課名</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>學分</source>
        <translation>Credits</translation>
    </message>
    <message>
        <source>教師編號</source>
        <translation>Instructor_id</translation>
    </message>
    <message>
        <source>職稱</source>
        <translation>Rank</translation>
    </message>
    <message>
        <source>系所代碼</source>
        <translation>Dept_code</translation>
    </message>
    <message>
        <source>系所名稱</source>
        <translation>Dept_name</translation>
    </message>
    <message>
        <source>進階課程</source>
        <translation>Course</translation>
    </message>
    <message>
        <source>先修課程</source>
        <translation>Prerequisite</translation>
    </message>
    <message>
        <source>出版社</source>
        <translation>PUBLISHER</translation>
    </message>
    <message>
        <source>書目</source>
        <translation>BOOK</translation>
    </message>
    <message>
        <source>館藏複本</source>
        <translation>COPY</translation>
    </message>
    <message>
        <source>讀者</source>
        <translation>MEMBER</translation>
    </message>
    <message>
        <source>出版</source>
        <translation>PUBLISHES</translation>
    </message>
    <message>
        <source>典藏</source>
        <translation>HOLDS</translation>
    </message>
    <message>
        <source>借閱</source>
        <translation>BORROWS</translation>
    </message>
    <message>
        <source>預約</source>
        <translation>RESERVES</translation>
    </message>
    <message>
        <source>出版社名稱</source>
        <translation>Pub_name</translation>
    </message>
    <message>
        <source>ISBN</source>
        <translation>ISBN</translation>
    </message>
    <message>
        <source>書名</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>出版年</source>
        <translation>Year</translation>
    </message>
    <message>
        <source>作者</source>
        <translation>Author</translation>
    </message>
    <message>
        <source>複本編號</source>
        <translation>Copy_no</translation>
    </message>
    <message>
        <source>狀態</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>借出日期</source>
        <translation>Loan_date</translation>
    </message>
    <message>
        <source>到期日</source>
        <translation>Due_date</translation>
    </message>
    <message>
        <source>預約日期</source>
        <translation>Reserve_date</translation>
    </message>
    <message>
        <source>借書證號</source>
        <translation>Card_no</translation>
    </message>
    <message>
        <source>城市</source>
        <translation>City</translation>
    </message>
    <message>
        <source>街道</source>
        <translation>Street</translation>
    </message>
    <message>
        <source>郵遞區號</source>
        <translation>Zip</translation>
    </message>
    <message>
        <source>大學選課</source>
        <translation>University Course Registration</translation>
    </message>
    <message>
        <source>圖書館</source>
        <translation>Library</translation>
    </message>
    <message>
        <source>公司 (COMPANY)</source>
        <translation>Company (COMPANY)</translation>
    </message>
    <message>
        <source>範例 %1</source>
        <translation>Sample %1</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>Key 值建立失敗</source>
        <translation>The settings key could not be created</translation>
    </message>
</context>
<context>
    <name>ShortcutList</name>
    <message>
        <source>「%1」按鈕</source>
        <translation>&quot;%1&quot; button</translation>
    </message>
</context>
<context>
    <name>SpecializationLines</name>
    <message>
        <source>全部</source>
        <translation>total</translation>
    </message>
    <message>
        <source>部分</source>
        <translation>partial</translation>
    </message>
    <message>
        <source>對映 %1</source>
        <translation>mapping %1</translation>
    </message>
    <message>
        <source>定義屬性 %1</source>
        <translation>defining attribute %1</translation>
    </message>
</context>
<context>
    <name>Specializing</name>
    <message>
        <source>%1 不能是自己的子類別</source>
        <translation>%1 cannot be a subclass of itself</translation>
    </message>
    <message>
        <source>特殊化 %1 已有父類別 %2</source>
        <translation>Specialization %1 already has the superclass %2</translation>
    </message>
    <message>
        <source>類別 %1 已有子類別 %2</source>
        <translation>Category %1 already has the subclass %2</translation>
    </message>
    <message>
        <source>%1 與 %2 不能同時是父類別與子類別</source>
        <translation>%1 and %2 cannot be both superclass and subclass</translation>
    </message>
    <message>
        <source>%1 已是 %2 的子類別</source>
        <translation>%1 is already a subclass of %2</translation>
    </message>
    <message>
        <source>子類別 %1 - %2</source>
        <translation>Subclass %1 - %2</translation>
    </message>
    <message>
        <source>對映 8C 只適用於不相交 (d) 的特殊化, 請先選擇其他對映</source>
        <translation>Mapping 8C applies only to a disjoint (d) specialization; choose another mapping first</translation>
    </message>
    <message>
        <source>重疊特殊化</source>
        <translation>Overlapping specialization</translation>
    </message>
    <message>
        <source>不相交特殊化</source>
        <translation>Disjoint specialization</translation>
    </message>
    <message>
        <source>對映 8B 只適用於全部 (total) 特殊化, 請先選擇其他對映</source>
        <translation>Mapping 8B applies only to a total specialization; choose another mapping first</translation>
    </message>
    <message>
        <source>全部參與</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>部分參與</source>
        <translation>Partial</translation>
    </message>
    <message>
        <source>對映 8B 只適用於全部 (total) 特殊化</source>
        <translation>Mapping 8B applies only to a total specialization</translation>
    </message>
    <message>
        <source>對映 8C 只適用於不相交 (d) 的特殊化</source>
        <translation>Mapping 8C applies only to a disjoint (d) specialization</translation>
    </message>
    <message>
        <source>對映 </source>
        <translation>Mapping </translation>
    </message>
    <message>
        <source>定義屬性必須是父類別的屬性</source>
        <translation>The defining attribute must be an attribute of the superclass</translation>
    </message>
    <message>
        <source>定義屬性</source>
        <translation>Defining attribute</translation>
    </message>
</context>
<context>
    <name>SqlScript</name>
    <message>
        <source>Relvane: 由 ER 圖轉換出的關聯模型, %1 的 SQL 指令碼</source>
        <translation>Relvane: the relational model converted from the ER diagram, as an SQL script for %1</translation>
    </message>
    <message>
        <source>欄位型別一律暫寫為 %1, 請依每個欄位的資料自行選擇適當的型別.</source>
        <translation>Every column&apos;s type is written as %1 for now; choose a suitable type for each column&apos;s data.</translation>
    </message>
    <message>
        <source>SQLite 要先開啟外鍵檢查, 外鍵才會生效.</source>
        <translation>SQLite enforces foreign keys only once foreign key checks are turned on.</translation>
    </message>
    <message>
        <source>無法建立這個外鍵: </source>
        <translation>This foreign key cannot be created: </translation>
    </message>
    <message>
        <source>外鍵在所有資料表建立之後才加上, 所以與資料表建立的順序無關.</source>
        <translation>Foreign keys are added after all tables are created, so the order of the tables does not matter.</translation>
    </message>
    <message>
        <source>名稱含有換行或控制字元, 寫為 %1</source>
        <translation>The name contains a line break or control character; written as %1</translation>
    </message>
    <message>
        <source>名稱是空白的, 暫以 %1 代替</source>
        <translation>The name is blank; %1 is used instead</translation>
    </message>
    <message>
        <source>名稱 %1 超過 %2 的長度上限, 縮短為 %3</source>
        <translation>The name %1 exceeds the length limit of %2; shortened to %3</translation>
    </message>
    <message>
        <source>%1 %2, 改名為 %3</source>
        <translation>%1 %2; renamed to %3</translation>
    </message>
    <message>
        <source>名稱 %1 與前面的名稱重複 (不分大小寫), 改名為 %2</source>
        <translation>The name %1 repeats an earlier name (ignoring case); renamed to %2</translation>
    </message>
    <message>
        <source>SQLite 保留以 sqlite_ 開頭的名稱, 前面加上 t_</source>
        <translation>SQLite reserves names beginning with sqlite_; t_ is put in front</translation>
    </message>
    <message>
        <source>是 PostgreSQL 的系統欄位名稱</source>
        <translation>is a PostgreSQL system column name</translation>
    </message>
    <message>
        <source>被參照的 %1 沒有對應的關聯</source>
        <translation>The referenced %1 has no matching relation</translation>
    </message>
    <message>
        <source>被參照的關聯 %1 沒有主鍵</source>
        <translation>The referenced relation %1 has no primary key</translation>
    </message>
    <message>
        <source>參照的欄位不是關聯 %1 的完整主鍵 (%2)</source>
        <translation>The referencing columns are not the whole primary key of relation %1 (%2)</translation>
    </message>
    <message>
        <source>關聯 %1 的外鍵 (%2) 沒有寫成限制, 只寫成註解: %3</source>
        <translation>The foreign key (%2) of relation %1 is written only as a comment, not as a constraint: %3</translation>
    </message>
    <message>
        <source>關聯 %1: </source>
        <translation>Relation %1: </translation>
    </message>
    <message>
        <source>關聯 %1 沒有任何欄位, 無法建立資料表:</source>
        <translation>Relation %1 has no columns, so no table can be created:</translation>
    </message>
    <message>
        <source>關聯 %1 沒有任何欄位, 它的 CREATE TABLE 只寫成註解</source>
        <translation>Relation %1 has no columns; its CREATE TABLE is written only as a comment</translation>
    </message>
    <message>
        <source>關聯 %1 沒有主鍵</source>
        <translation>Relation %1 has no primary key</translation>
    </message>
    <message>
        <source>關聯 %1 沒有主鍵, 資料表建立時不含 PRIMARY KEY</source>
        <translation>Relation %1 has no primary key; its table is created without a PRIMARY KEY</translation>
    </message>
    <message>
        <source>一對一關係: 每一列參照的對象都不同</source>
        <translation>One-to-one relationship: every row references a different row</translation>
    </message>
    <message>
        <source>MySQL 的名稱不能含有 U+FFFF 以後的字元, 以 _ 代替, 寫為 %1</source>
        <translation>MySQL names cannot hold characters beyond U+FFFF; replaced by _, written as %1</translation>
    </message>
    <message>
        <source>名稱前後的空白已去除, 寫為 %1</source>
        <translation>Spaces around the name removed, written as %1</translation>
    </message>
    <message>
        <source>MySQL 的索引最多 %1 位元組, utf8mb4 每個字元佔 %2 位元組; 這個欄位在 %3 個欄位的索引中, 所以最長 %4 個字元</source>
        <translation>A MySQL index holds at most %1 bytes and utf8mb4 takes %2 bytes a character; this column is in an index of %3 columns, so it holds at most %4 characters</translation>
    </message>
    <message>
        <source>%1 必須有值, 但它與其他不可為空的外鍵形成循環, 而 MySQL 不能把外鍵檢查延到交易結束: 這裡允許空值, 先新增各列再補上</source>
        <translation>%1 must have a value, but it forms a cycle with other foreign keys that may not be null, and MySQL cannot check foreign keys when the transaction ends: here it may be null; insert the rows first, then fill it in</translation>
    </message>
    <message>
        <source>MySQL 的索引與一列的大小有上限: 超過的欄位改寫為較短的 VARCHAR 或 TEXT, 各有註解說明.</source>
        <translation>MySQL limits the size of an index and of a row: columns beyond them are written as a shorter VARCHAR or as TEXT, each with a comment.</translation>
    </message>
    <message>
        <source>MySQL 的一列最多 %1 位元組, 這個資料表的欄位太多: 這個不在索引中的欄位寫為 TEXT</source>
        <translation>A MySQL row holds at most %1 bytes and this table has too many columns: this column, in no index, is written as TEXT</translation>
    </message>
    <message>
        <source>關聯 %1 有 %2 個欄位, %3 的資料表最多只能有 %4 個欄位</source>
        <translation>Relation %1 has %2 columns; a %3 table can have at most %4 columns</translation>
    </message>
    <message>
        <source>共用子類別的主鍵也參照 %1</source>
        <translation>The shared subclass&apos;s key also references %1</translation>
    </message>
</context>
<context>
    <name>StatementRunner</name>
    <message>
        <source>已取消</source>
        <translation>Cancelled</translation>
    </message>
</context>
<context>
    <name>Subclassing</name>
    <message>
        <source>請選定父類別 (superclass) 的 Entity</source>
        <translation>Please select the superclass Entity</translation>
    </message>
    <message>
        <source>請選定特殊化 (d/o) 或類別 (∪) 的圓圈</source>
        <translation>Please select the specialization (d/o) or category (∪) circle</translation>
    </message>
    <message>
        <source>請選定子類別 (subclass) 的 Entity</source>
        <translation>Please select the subclass Entity</translation>
    </message>
    <message>
        <source>刪除 類別</source>
        <translation>Delete category</translation>
    </message>
    <message>
        <source>刪除 特殊化</source>
        <translation>Delete specialization</translation>
    </message>
    <message>
        <source>請先設定特殊化的父類別</source>
        <translation>Set the superclass of the specialization first</translation>
    </message>
    <message>
        <source>%1 的哪一個屬性決定子類別? (%2; 空白表示無)</source>
        <translation>Which attribute of %1 decides the subclass? (%2; empty for none)</translation>
    </message>
    <message>
        <source>定義屬性</source>
        <translation>Defining Attribute</translation>
    </message>
    <message>
        <source>%1 沒有屬性 %2</source>
        <translation>%1 has no attribute %2</translation>
    </message>
</context>
<context>
    <name>SysInfo</name>
    <message>
        <source>目前無法提供系統資訊</source>
        <translation>System information is not available</translation>
    </message>
</context>
<context>
    <name>Undo</name>
    <message>
        <source>開新圖形</source>
        <translation>New Diagram</translation>
    </message>
</context>
<context>
    <name>Wholesale</name>
    <message>
        <source>載入</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>復原圖形</source>
        <translation>Recover Diagram</translation>
    </message>
    <message>
        <source>預設參與度 0,N</source>
        <translation>Default participation 0,N</translation>
    </message>
    <message>
        <source>選項</source>
        <translation>Options</translation>
    </message>
</context>
<context>
    <name>WindowDialogs</name>
    <message>
        <source>Relvane 專案檔 (*.relvane)</source>
        <translation>Relvane project file (*.relvane)</translation>
    </message>
    <message>
        <source>SQL 指令碼 (*.sql)</source>
        <translation>SQL script (*.sql)</translation>
    </message>
    <message>
        <source>Excel 活頁簿 (*.xlsx)</source>
        <translation>Excel workbook (*.xlsx)</translation>
    </message>
    <message>
        <source>匯出 SQL</source>
        <translation>Export SQL</translation>
    </message>
    <message>
        <source>匯出專案檔</source>
        <translation>Export Project File</translation>
    </message>
    <message>
        <source>匯入專案檔</source>
        <translation>Import Project File</translation>
    </message>
    <message>
        <source>從專案檔選擇...</source>
        <translation>Choose from a project file...</translation>
    </message>
    <message>
        <source>與參考答案比較</source>
        <translation>Compare with Reference Answer</translation>
    </message>
    <message>
        <source>參考答案的專案名稱:</source>
        <translation>Project name of the reference answer:</translation>
    </message>
    <message>
        <source>參考答案</source>
        <translation>Reference Answer</translation>
    </message>
    <message>
        <source>評分標準</source>
        <translation>Rubric</translation>
    </message>
    <message>
        <source>活頁簿已存於 %1, 但找不到可以開啟它的試算表程式</source>
        <translation>The workbook was saved to %1, but no spreadsheet program to open it was found</translation>
    </message>
    <message>
        <source>SQL 指令碼 - %1 (*.sql)</source>
        <translation>SQL script - %1 (*.sql)</translation>
    </message>
</context>
<context>
    <name>WorkbookLimits</name>
    <message>
        <source>(元素 %1)</source>
        <translation>(element %1)</translation>
    </message>
    <message>
        <source>%1 (元素 %2)</source>
        <translation>%1 (element %2)</translation>
    </message>
    <message>
        <source>關聯共 %1 個, 超過試算表 %2 列的上限</source>
        <translation>There are %1 relations, more than the spreadsheet limit of %2 rows</translation>
    </message>
    <message>
        <source>%1 的名稱超過試算表一格 %2 字元的上限</source>
        <translation>The name of %1 exceeds the spreadsheet limit of %2 characters per cell</translation>
    </message>
    <message>
        <source>%1 的關聯有 %2 欄, 超過試算表 %3 欄的上限</source>
        <translation>The relation of %1 has %2 columns, more than the spreadsheet limit of %3 columns</translation>
    </message>
</context>
<context>
    <name>ZipArchive</name>
    <message>
        <source>活頁簿超過 zip 檔 4 GiB 的上限</source>
        <translation>The workbook exceeds the 4 GiB limit of a zip file</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>關於 </source>
        <translation>About </translation>
    </message>
    <message>
        <source>確定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>系統資訊(&amp;S)...</source>
        <translation>&amp;System Info...</translation>
    </message>
</context>
<context>
    <name>frmOptions</name>
    <message>
        <source>一般</source>
        <translation>General</translation>
    </message>
    <message>
        <source>設定處理模式</source>
        <translation>Set the working mode</translation>
    </message>
    <message>
        <source>顏色</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>設定顏色選項</source>
        <translation>Set the colours</translation>
    </message>
    <message>
        <source>間距</source>
        <translation>Spacing</translation>
    </message>
    <message>
        <source>設定間距</source>
        <translation>Set the spacing</translation>
    </message>
    <message>
        <source>其它</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>其它設定</source>
        <translation>Other settings</translation>
    </message>
    <message>
        <source>Application底色</source>
        <translation>Application background</translation>
    </message>
    <message>
        <source>候選元素之顏色</source>
        <translation>Candidate elements</translation>
    </message>
    <message>
        <source>已選元素之顏色</source>
        <translation>Selected elements</translation>
    </message>
    <message>
        <source>屬性之線條顏色</source>
        <translation>Attribute lines</translation>
    </message>
    <message>
        <source>關聯之線修顏色</source>
        <translation>Relationship lines</translation>
    </message>
    <message>
        <source>選項</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>確定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>套用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>處理模式</source>
        <translation>Working mode</translation>
    </message>
    <message>
        <source>增強模式: 繪製ERD與自動產生關聯模式 (以 min, max 表示) (建議選項)</source>
        <translation>Enhanced mode: draw ERDs and derive the relational schema (in min, max notation) (recommended)</translation>
    </message>
    <message>
        <source>課本模式: 僅用來繪製ERD (表示法與課本相同)</source>
        <translation>Textbook mode: only draw ERDs (in the textbook&apos;s notation)</translation>
    </message>
    <message>
        <source>以後再作3...</source>
        <translation>Coming later...</translation>
    </message>
    <message>
        <source>雙直線間距</source>
        <translation>Gap of double lines</translation>
    </message>
    <message>
        <source>雙矩形兩線間距</source>
        <translation>Gap of double rectangles</translation>
    </message>
    <message>
        <source>雙橢圓兩線間距</source>
        <translation>Gap of double ellipses</translation>
    </message>
    <message>
        <source>雙菱型兩線間距</source>
        <translation>Gap of double diamonds</translation>
    </message>
    <message>
        <source>關聯模式中, 外來鍵如何指向主鍵</source>
        <translation>How foreign keys point to primary keys in the relational schema</translation>
    </message>
    <message>
        <source>轉折指向</source>
        <translation>Elbow arrows</translation>
    </message>
    <message>
        <source>直線指向</source>
        <translation>Straight arrows</translation>
    </message>
    <message>
        <source>參與度與基數比位置</source>
        <translation>Position of participation and cardinality</translation>
    </message>
    <message>
        <source>靠近EntityType</source>
        <translation>Near the EntityType</translation>
    </message>
    <message>
        <source>靠近Relationship</source>
        <translation>Near the Relationship</translation>
    </message>
    <message>
        <source>連線</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>主機[:埠]/資料庫名稱</source>
        <translation>host[:port]/database</translation>
    </message>
    <message>
        <source>變更的語言在下次啟動時生效</source>
        <translation>A changed language takes effect at the next start</translation>
    </message>
    <message>
        <source>繞行指向</source>
        <translation>Routed arrows</translation>
    </message>
    <message>
        <source>格線</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>拖曳和新增的元素貼齊格線</source>
        <translation>Snap dragged and new elements to the grid</translation>
    </message>
    <message>
        <source>格線間距</source>
        <translation>Grid spacing</translation>
    </message>
</context>
<context>
    <name>frmSplash</name>
    <message>
        <source>下次啟動出現此畫面</source>
        <translation>Show this screen at the next start</translation>
    </message>
</context>
</TS>
